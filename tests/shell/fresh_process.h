// Running a case in a process of its own, for state that lives as long as the process (the menu
// bar, the pictures, the file types, the application object) and that an earlier case in the
// same run may already have set.
#pragma once

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

// Runs body in a new run of this test binary that runs only the current case; the case fails
// when a check in body fails there. That process shows only its standard error, so the failed
// checks are written there.
inline void InFreshProcess(const std::function<void()>& body) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ::testing::TestPartResultArray results;
        {
          ::testing::ScopedFakeTestPartResultReporter reporter(
              ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
          body();
        }
        int failed = 0;
        for (int i = 0; i < results.size(); ++i) {
          const ::testing::TestPartResult& r = results.GetTestPartResult(i);
          if (!r.failed()) continue;
          ++failed;
          std::fprintf(stderr, "%s:%d: %s\n", r.file_name() ? r.file_name() : "?", r.line_number(),
                       r.summary());
        }
        std::_Exit(failed == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}
