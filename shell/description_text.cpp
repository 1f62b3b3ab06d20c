#include "shell/description_text.h"

#include <iterator>
#include <string>

namespace {

// Plain ASCII only: the text is printed and edited as it stands.
constexpr const char* kLines[] = {
    kDescriptionHeading,
    "",
    "The chi-square test of independence is used with two independent samples whose data are "
    "frequencies, the numbers of cases that fall into each of several categories. It is a "
    "nonparametric procedure that asks little of the data: no normal distribution and no equal "
    "variances, only independent observations and expected frequencies that are not too small "
    "(Siegel, 1956).",
    "",
    "For every cell of the contingency table the test compares the frequency observed with the "
    "frequency expected if the two variables were unrelated, the product of the cell's row and "
    "column totals divided by the grand total. The squared differences, each divided by its "
    "expected frequency, add up to chi-square; a large value leads to rejecting the null "
    "hypothesis of no association between rows and columns (Pearson, 1900).",
    "",
    "The contingency coefficient, the square root of chi-square divided by the sum of chi-square "
    "and N, expresses the degree of the relationship that the test has found. It is akin to a "
    "correlation coefficient, but it never reaches 1, and its largest possible value depends on "
    "the size of the table (Pearson, 1904).",
    "",
    "Cramer's phi coefficient, the square root of chi-square divided by N times one less than the "
    "smaller of the numbers of rows and columns, is a measure of association that ranges from 0, "
    "no association, to +1, complete association, whatever the size of the table. For detail see "
    "Cramer (1946).",
    "",
    "Kappa is computed only for square tables, whose rows and columns stand for the same "
    "categories, as when two observers classify the same cases. It measures the agreement between "
    "the two observers beyond the agreement that chance alone would give: 0 means no more than "
    "chance agreement, 1 perfect agreement (Cohen, 1960).",
    "",
    "",
    "References",
    "Cohen, J. (1960). A coefficient of agreement for nominal scales. Educational and "
    "Psychological Measurement, 20(1), 37-46.",
    "",
    "Cramer, H. (1946). Mathematical methods of statistics. Princeton, NJ: Princeton University "
    "Press.",
    "",
    "Pearson, K. (1900). On the criterion that a given system of deviations from the probable in "
    "the case of a correlated system of variables is such that it can be reasonably supposed to "
    "have arisen from random sampling. Philosophical Magazine, Series 5, 50(302), 157-175.",
    "",
    "Pearson, K. (1904). Mathematical contributions to the theory of evolution. XIII. On the "
    "theory of contingency and its relation to association and normal correlation. Drapers' "
    "Company Research Memoirs, Biometric Series I. London: Dulau and Co.",
    "",
    "Siegel, S. (1956). Nonparametric statistics for the behavioral sciences. New York: "
    "McGraw-Hill.",
    "",
    "--------------------------------------------------------------------",
    "Vantrel 3.0. Copyright (c) 2026 the Vantrel authors.",
    "",
    "If you publish results that you obtained with Vantrel, please cite the program as follows:",
    "The Vantrel authors (2026). Vantrel, version 3.0 [Computer software]. [S.l.]: The Vantrel "
    "authors.",
    "",
    "--------------------------------------------------------------------",
    "Vantrel is provided as is, without warranty of any kind, express or implied, and its authors "
    "accept no liability for any loss or damage that arises from its use. Statistical results "
    "need professional care and judgement: check that the test suits your data and your question "
    "before you rely on what the program reports.",
};
static_assert(std::size(kLines) == 32, "the description has 32 lines");

std::string Join() {
  std::string text;
  for (std::size_t i = 0; i < std::size(kLines); ++i) {
    if (i > 0) text += '\r';
    text += kLines[i];
  }
  return text;
}

}  // namespace

const std::string& DescriptionText() {
  static const std::string text = Join();
  return text;
}
