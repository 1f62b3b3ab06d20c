// The 100 cells of the grid, named literally, row-major from data11 to data1010.
// X(name, row, column) is expanded wherever code needs one thing per cell (accessors, key
// handlers, the creation table), so no cell name is ever put together at run time.
#pragma once

// clang-format off
#define VANTREL_CELLS(X) \
  X(data11, 1, 1) X(data12, 1, 2) X(data13, 1, 3) X(data14, 1, 4) X(data15, 1, 5) \
  X(data16, 1, 6) X(data17, 1, 7) X(data18, 1, 8) X(data19, 1, 9) X(data110, 1, 10) \
  X(data21, 2, 1) X(data22, 2, 2) X(data23, 2, 3) X(data24, 2, 4) X(data25, 2, 5) \
  X(data26, 2, 6) X(data27, 2, 7) X(data28, 2, 8) X(data29, 2, 9) X(data210, 2, 10) \
  X(data31, 3, 1) X(data32, 3, 2) X(data33, 3, 3) X(data34, 3, 4) X(data35, 3, 5) \
  X(data36, 3, 6) X(data37, 3, 7) X(data38, 3, 8) X(data39, 3, 9) X(data310, 3, 10) \
  X(data41, 4, 1) X(data42, 4, 2) X(data43, 4, 3) X(data44, 4, 4) X(data45, 4, 5) \
  X(data46, 4, 6) X(data47, 4, 7) X(data48, 4, 8) X(data49, 4, 9) X(data410, 4, 10) \
  X(data51, 5, 1) X(data52, 5, 2) X(data53, 5, 3) X(data54, 5, 4) X(data55, 5, 5) \
  X(data56, 5, 6) X(data57, 5, 7) X(data58, 5, 8) X(data59, 5, 9) X(data510, 5, 10) \
  X(data61, 6, 1) X(data62, 6, 2) X(data63, 6, 3) X(data64, 6, 4) X(data65, 6, 5) \
  X(data66, 6, 6) X(data67, 6, 7) X(data68, 6, 8) X(data69, 6, 9) X(data610, 6, 10) \
  X(data71, 7, 1) X(data72, 7, 2) X(data73, 7, 3) X(data74, 7, 4) X(data75, 7, 5) \
  X(data76, 7, 6) X(data77, 7, 7) X(data78, 7, 8) X(data79, 7, 9) X(data710, 7, 10) \
  X(data81, 8, 1) X(data82, 8, 2) X(data83, 8, 3) X(data84, 8, 4) X(data85, 8, 5) \
  X(data86, 8, 6) X(data87, 8, 7) X(data88, 8, 8) X(data89, 8, 9) X(data810, 8, 10) \
  X(data91, 9, 1) X(data92, 9, 2) X(data93, 9, 3) X(data94, 9, 4) X(data95, 9, 5) \
  X(data96, 9, 6) X(data97, 9, 7) X(data98, 9, 8) X(data99, 9, 9) X(data910, 9, 10) \
  X(data101, 10, 1) X(data102, 10, 2) X(data103, 10, 3) X(data104, 10, 4) X(data105, 10, 5) \
  X(data106, 10, 6) X(data107, 10, 7) X(data108, 10, 8) X(data109, 10, 9) X(data1010, 10, 10)
// clang-format on
