# Fails when code drifts from the one-way house rules:
# - a service reply code ("OK_0001", "Error_0003", "{OK_0001}"…) spelt as a literal outside
#   foundation/servicecall.*, which names each one once;
# - a path joined onto UserFolder outside foundation/folders.cpp, where the member paths are made;
# - a file opened for writing (a QFile write mode, open(2) write flags, fopen, streams, QSaveFile)
#   outside platform/safefile.cpp, the one writer (in-memory QBuffers are no files);
# - a QtTest check (QVERIFY, QCOMPARE, QTRY_…, QFAIL, QSKIP…) in a test: outside QTest::qExec it
#   only prints and returns, so it fails no GoogleTest test; tests/support/eventually.h waits.
# Comment lines are not read. The program's sources are SOURCE_ROOT/src; the emulator's,
# SOURCE_ROOT/emulator, speak the service's codes themselves and are held to the writer rule only;
# the tests, SOURCE_ROOT/tests (but for the checks' own bad trees), to the last rule only.
#   cmake -DSOURCE_ROOT=<checkout> -P housecheck.cmake
if(NOT SOURCE_ROOT)
    message(FATAL_ERROR "housecheck: SOURCE_ROOT is required")
endif()

set(problems 0)
macro(report file line what)
    string(STRIP "${line}" shown)
    message(SEND_ERROR "${file}: ${what}: ${shown}")
    math(EXPR problems "${problems} + 1")
endmacro()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_ROOT}
    ${SOURCE_ROOT}/src/*.h ${SOURCE_ROOT}/src/*.cpp ${SOURCE_ROOT}/emulator/*.h ${SOURCE_ROOT}/emulator/*.cpp
    ${SOURCE_ROOT}/tests/*.h ${SOURCE_ROOT}/tests/*.cpp)
list(FILTER sources EXCLUDE REGEX "^tests/layercheck/")
foreach(f ${sources})
    # One list item per line: the characters CMake's lists treat specially are taken out first.
    file(READ ${SOURCE_ROOT}/${f} whole)
    string(REGEX REPLACE "[][;\\]" "_" whole "${whole}")
    string(REPLACE "\n" ";" lines "${whole}")
    # The names of the file's in-memory buffers, whose write mode writes no file.
    string(REGEX MATCHALL "QBuffer[ \t]+[A-Za-z_][A-Za-z0-9_]*" declared "${whole}")
    set(buffers)
    foreach(d ${declared})
        string(REGEX REPLACE "^QBuffer[ \t]+" "" name "${d}")
        list(APPEND buffers ${name})
    endforeach()
    foreach(line ${lines})
        if(line MATCHES "^[ \t]*(//|\\*|/\\*)")
            continue()
        endif()
        if(f MATCHES "^src/" AND NOT f MATCHES "^src/foundation/servicecall\\.(h|cpp)$"
           AND line MATCHES "\"{?(OK|Error)_[0-9][0-9][0-9][0-9]")
            report(${f} "${line}" "a reply code spelt outside servicecall")
        endif()
        if(f MATCHES "^src/" AND NOT f STREQUAL "src/foundation/folders.cpp" AND line MATCHES "UserFolder[ \t]*\\+")
            report(${f} "${line}" "a path joined onto UserFolder outside the member paths of foundation/folders")
        endif()
        if(f MATCHES "^tests/")
            if(line MATCHES "(^|[^A-Za-z0-9_])Q(VERIFY|VERIFY2|COMPARE|TRY_[A-Z_]+|FAIL|SKIP|EXPECT_FAIL|VERIFY_THROWS_[A-Z_]+|VERIFY_EXCEPTION_THROWN|COMPARE_[A-Z]+)[ \t]*(\\(|$)")
                report(${f} "${line}" "a QtTest check, which fails no GoogleTest test")
            endif()
            continue()
        endif()
        # The single-instance lock is created to be locked, never written.
        if(NOT f STREQUAL "src/platform/safefile.cpp" AND NOT f STREQUAL "src/platform/singleinstance.cpp")
            set(writes FALSE)
            if(line MATCHES "O_(WRONLY|RDWR|APPEND|TRUNC|CREAT)|fopen[ \t]*\\(|ofstream|QSaveFile")
                set(writes TRUE)
            elseif(line MATCHES "([A-Za-z_][A-Za-z0-9_]*)[ \t]*(\\.|->)[ \t]*open[ \t]*\\([^)]*(WriteOnly|ReadWrite|Append|Truncate)")
                list(FIND buffers "${CMAKE_MATCH_1}" at)
                if(at EQUAL -1)
                    set(writes TRUE)
                endif()
            endif()
            if(writes)
                report(${f} "${line}" "a file opened for writing outside the safe writer of platform/safefile")
            endif()
        endif()
    endforeach()
endforeach()
if(problems GREATER 0)
    message(FATAL_ERROR "housecheck: ${problems} line(s) break the house rules")
endif()
message(STATUS "housecheck: replies, member paths and writes each go one way; tests check with GoogleTest")
