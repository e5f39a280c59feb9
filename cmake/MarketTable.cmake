# SPDX-License-Identifier: MIT
# Turns data/us-markets.csv into rows of a C++ table, so that the program
# carries the data and needs no file at run time:
#   cmake -DCSV=data/us-markets.csv -DOUT=us_markets.inc -P cmake/MarketTable.cmake
# Checks the header, that every line is a year and three fractions, and that
# the years follow one another; the build stops with the line at fault.
file(STRINGS ${CSV} lines)
list(POP_FRONT lines header)
if(NOT header STREQUAL "year,stock_real,bond_real,inflation")
  message(FATAL_ERROR "${CSV}: the header is not year,stock_real,bond_real,inflation")
endif()
set(number "-?[0-9]+\\.[0-9]+")
set(rows "")
set(expected "")
set(line_number 1)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  if(NOT line MATCHES "^([0-9][0-9][0-9][0-9]),(${number}),(${number}),(${number})$")
    message(FATAL_ERROR "${CSV}:${line_number}: not a year and three fractions: ${line}")
  endif()
  if(expected AND NOT CMAKE_MATCH_1 EQUAL expected)
    message(FATAL_ERROR "${CSV}:${line_number}: year ${CMAKE_MATCH_1} where ${expected} belongs")
  endif()
  math(EXPR expected "${CMAKE_MATCH_1} + 1")
  string(APPEND rows "{${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}, ${CMAKE_MATCH_4}},\n")
endforeach()
if(rows STREQUAL "")
  message(FATAL_ERROR "${CSV}: no years")
endif()
set(text "// Generated from data/us-markets.csv by cmake/MarketTable.cmake.\n${rows}")
file(WRITE ${OUT} "${text}")
