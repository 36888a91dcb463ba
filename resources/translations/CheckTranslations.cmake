# cmake -DLUPDATE=<lupdate> -DSOURCE_ROOT=<repo> -DTS_FILE=<catalogue.ts> -DWORK_DIR=<scratch dir> -P CheckTranslations.cmake
#
# Fails when a tr() text of src/ or demo/ would show up untranslated: the text
# is missing from the committed catalogue, its translation is unfinished or
# empty, it drops a %1-style placeholder or the trailing space a number is
# appended to, or lupdate cannot attribute the call to a context at all
# (e.g. a class lacking Q_OBJECT, whose texts never match at run time).
# lupdate writes into a scratch copy; the committed catalogue is never touched.

cmake_minimum_required(VERSION 3.16)

foreach(VAR LUPDATE SOURCE_ROOT TS_FILE WORK_DIR)
    if(NOT DEFINED ${VAR})
        message(FATAL_ERROR "CheckTranslations.cmake: ${VAR} is not set")
    endif()
endforeach()

# Control characters stand in for the closing tags (CMake regexes have no lazy
# quantifier) and for ; [ ] which CMake lists would otherwise split or group on.
string(ASCII 1 END_CONTEXT)
string(ASCII 2 END_MESSAGE)
string(ASCII 3 SEMICOLON)
string(ASCII 4 LBRACKET)
string(ASCII 5 RBRACKET)
string(ASCII 6 KEY_SEP)

function(readable TEXT OUT)
    string(REPLACE "${SEMICOLON}" ";" TEXT "${TEXT}")
    string(REPLACE "${LBRACKET}" "[" TEXT "${TEXT}")
    string(REPLACE "${RBRACKET}" "]" TEXT "${TEXT}")
    set(${OUT} "${TEXT}" PARENT_SCOPE)
endfunction()

# "context: "source" (comment)" for a message key.
function(describe NAME SOURCE COMMENT OUT)
    set(TEXT "${NAME}: \"${SOURCE}\"")
    if(NOT COMMENT STREQUAL "")
        string(APPEND TEXT " (${COMMENT})")
    endif()
    set(${OUT} "${TEXT}" PARENT_SCOPE)
endfunction()

function(describe_key KEY OUT)
    string(REPLACE "${KEY_SEP}" ";" PARTS "${KEY}")
    list(GET PARTS 0 NAME)
    list(GET PARTS 1 SOURCE)
    list(GET PARTS 2 COMMENT)
    describe("${NAME}" "${SOURCE}" "${COMMENT}" TEXT)
    set(${OUT} "${TEXT}" PARENT_SCOPE)
endfunction()

# Sets <PREFIX>_KEYS to one "context<sep>source<sep>comment" per live message and
# <PREFIX>_PROBLEMS to one line per message that would not translate correctly.
function(read_catalogue FILE PREFIX)
    file(READ "${FILE}" TEXT)
    string(REPLACE ";" "${SEMICOLON}" TEXT "${TEXT}")
    string(REPLACE "[" "${LBRACKET}" TEXT "${TEXT}")
    string(REPLACE "]" "${RBRACKET}" TEXT "${TEXT}")
    string(REPLACE "</context>" "${END_CONTEXT}" TEXT "${TEXT}")
    string(REPLACE "</message>" "${END_MESSAGE}" TEXT "${TEXT}")

    set(KEYS)
    set(PROBLEMS)
    string(REGEX MATCHALL "<context>[^${END_CONTEXT}]*" CONTEXTS "${TEXT}")
    foreach(CONTEXT IN LISTS CONTEXTS)
        string(REGEX MATCH "<name>([^<]*)</name>" _ "${CONTEXT}")
        set(NAME "${CMAKE_MATCH_1}")
        string(REGEX MATCHALL "<message[^${END_MESSAGE}]*" MESSAGES "${CONTEXT}")
        foreach(MESSAGE IN LISTS MESSAGES)
            string(REGEX MATCH "<source>([^<]*)</source>" _ "${MESSAGE}")
            set(SOURCE "${CMAKE_MATCH_1}")
            set(COMMENT "")
            if(MESSAGE MATCHES "<comment>([^<]*)</comment>")
                set(COMMENT "${CMAKE_MATCH_1}")
            endif()
            set(ATTRIBUTES "")
            set(BODY "")
            if(MESSAGE MATCHES "<translation([^>]*)/>")
                set(ATTRIBUTES "${CMAKE_MATCH_1}")
            elseif(MESSAGE MATCHES "<translation([^>]*)>(.*)</translation>")
                set(ATTRIBUTES "${CMAKE_MATCH_1}")
                set(BODY "${CMAKE_MATCH_2}")
            endif()
            if(ATTRIBUTES MATCHES "type=\"(vanished|obsolete)\"")
                continue()
            endif()

            list(APPEND KEYS "${NAME}${KEY_SEP}${SOURCE}${KEY_SEP}${COMMENT}")
            describe("${NAME}" "${SOURCE}" "${COMMENT}" WHERE)

            # Numerus messages carry one form per plural class, each must be filled.
            set(FORMS)
            if(MESSAGE MATCHES "numerus=\"yes\"")
                string(REGEX MATCHALL "<numerusform[^>]*/>|<numerusform[^>]*>[^<]*</numerusform>" FORMS "${BODY}")
            else()
                set(FORMS "${BODY}")
            endif()

            set(PROBLEM "")
            if(ATTRIBUTES MATCHES "type=\"unfinished\"")
                set(PROBLEM "translation unfinished")
            elseif(FORMS STREQUAL "")
                set(PROBLEM "translation empty")
            endif()
            foreach(FORM IN LISTS FORMS)
                if(NOT PROBLEM STREQUAL "")
                    break()
                endif()
                string(REGEX REPLACE "<[^>]*>" "" FORM "${FORM}")
                string(STRIP "${FORM}" STRIPPED)
                if(STRIPPED STREQUAL "")
                    set(PROBLEM "translation empty")
                    break()
                endif()
                string(REGEX MATCHALL "%(n|L?[1-9][0-9]?)" PLACEHOLDERS "${SOURCE}")
                foreach(PLACEHOLDER IN LISTS PLACEHOLDERS)
                    string(FIND "${FORM}" "${PLACEHOLDER}" AT)
                    if(AT EQUAL -1)
                        set(PROBLEM "translation lacks placeholder ${PLACEHOLDER}")
                        break()
                    endif()
                endforeach()
                # A source ending in a space gets a value appended in code; without
                # the space the translation runs into that value.
                if(PROBLEM STREQUAL "" AND SOURCE MATCHES "[ \t]$" AND NOT FORM MATCHES "[ \t]$")
                    set(PROBLEM "source ends with a space before an appended value, translation does not")
                endif()
            endforeach()
            if(NOT PROBLEM STREQUAL "")
                list(APPEND PROBLEMS "${WHERE}: ${PROBLEM}")
            endif()
        endforeach()
    endforeach()
    set(${PREFIX}_KEYS "${KEYS}" PARENT_SCOPE)
    set(${PREFIX}_PROBLEMS "${PROBLEMS}" PARENT_SCOPE)
endfunction()

if(NOT EXISTS "${TS_FILE}")
    message(FATAL_ERROR "${TS_FILE} does not exist; create it with scripts/update-translations.sh")
endif()
get_filename_component(TS_NAME "${TS_FILE}" NAME)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${TS_FILE}" DESTINATION "${WORK_DIR}")
set(SCRATCH "${WORK_DIR}/${TS_NAME}")

# Same inputs as scripts/update-translations.sh; locations do not affect messages.
set(DIRS src)
if(IS_DIRECTORY "${SOURCE_ROOT}/demo")
    list(APPEND DIRS demo)
endif()
execute_process(
    COMMAND "${LUPDATE}" -silent -no-obsolete -locations none ${DIRS} -ts "${SCRATCH}"
    WORKING_DIRECTORY "${SOURCE_ROOT}"
    RESULT_VARIABLE LUPDATE_RESULT
    OUTPUT_VARIABLE LUPDATE_OUTPUT
    ERROR_VARIABLE LUPDATE_OUTPUT)
string(STRIP "${LUPDATE_OUTPUT}" LUPDATE_OUTPUT)
if(NOT LUPDATE_RESULT EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${LUPDATE_RESULT}):\n${LUPDATE_OUTPUT}")
endif()

read_catalogue("${TS_FILE}" COMMITTED)
read_catalogue("${SCRATCH}" CURRENT)

# Failures are gathered as text, not as a list: messages may hold a ';'.
set(FAILURES "")
set(FAILURE_COUNT 0)
macro(fail TEXT)
    readable("${TEXT}" SHOWN)
    string(APPEND FAILURES "\n  ${SHOWN}")
    math(EXPR FAILURE_COUNT "${FAILURE_COUNT} + 1")
endmacro()

if(NOT LUPDATE_OUTPUT STREQUAL "")
    fail("lupdate reports tr() calls that cannot be translated as written:\n${LUPDATE_OUTPUT}")
endif()
foreach(KEY IN LISTS CURRENT_KEYS)
    if(NOT KEY IN_LIST COMMITTED_KEYS)
        describe_key("${KEY}" SHOWN)
        fail("not in ${TS_NAME}: ${SHOWN}")
    endif()
endforeach()
foreach(PROBLEM IN LISTS CURRENT_PROBLEMS)
    fail("${PROBLEM}")
endforeach()
foreach(KEY IN LISTS COMMITTED_KEYS)
    if(NOT KEY IN_LIST CURRENT_KEYS)
        describe_key("${KEY}" SHOWN)
        readable("${SHOWN}" SHOWN)
        message(STATUS "no longer used (dropped by the next refresh): ${SHOWN}")
    endif()
endforeach()

if(FAILURE_COUNT GREATER 0)
    message(FATAL_ERROR "${FAILURE_COUNT} problem(s) in ${TS_NAME}:${FAILURES}\n"
        "Run scripts/update-translations.sh, then translate the unfinished entries.")
endif()
list(LENGTH CURRENT_KEYS COUNT)
if(COUNT EQUAL 0)
    message(FATAL_ERROR "no messages found; is ${SOURCE_ROOT} the source tree?")
endif()
message(STATUS "${TS_NAME}: all ${COUNT} texts translated")
