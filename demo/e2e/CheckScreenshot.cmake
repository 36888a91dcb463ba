# cmake -DDEMO=<cmview_demo> -DPNG=<output.png> [-DTIME_FACTOR=N] -P CheckScreenshot.cmake
# Renders the demo with an upgrade in progress and checks that a PNG of the
# window's size came out. TIME_FACTOR (a whole number, default 1) scales the
# time the demo is given.
foreach(VAR DEMO PNG)
    if(NOT DEFINED ${VAR})
        message(FATAL_ERROR "CheckScreenshot.cmake: ${VAR} is not set")
    endif()
endforeach()

if(NOT DEFINED TIME_FACTOR)
    set(TIME_FACTOR 1)
endif()
math(EXPR RENDER_TIMEOUT "50 * ${TIME_FACTOR}")

file(REMOVE "${PNG}")
execute_process(
    COMMAND "${DEMO}" --ports 4 --receivers-per-port 16 --upgrade-demo --screenshot "${PNG}"
    RESULT_VARIABLE RESULT
    OUTPUT_VARIABLE OUTPUT
    ERROR_VARIABLE OUTPUT
    TIMEOUT ${RENDER_TIMEOUT})
if(NOT RESULT EQUAL 0)
    message(FATAL_ERROR "step 'render the screenshot' failed within ${RENDER_TIMEOUT}s (${RESULT}):\n${OUTPUT}")
endif()
if(NOT EXISTS "${PNG}")
    message(FATAL_ERROR "cmview_demo exited 0 but wrote no ${PNG}")
endif()

# PNG signature, then the IHDR chunk with width and height as big-endian words.
file(READ "${PNG}" HEAD LIMIT 24 HEX)
string(SUBSTRING "${HEAD}" 0 16 SIGNATURE)
if(NOT SIGNATURE STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${PNG} is not a PNG file")
endif()
string(SUBSTRING "${HEAD}" 32 8 WIDTH_HEX)
string(SUBSTRING "${HEAD}" 40 8 HEIGHT_HEX)
math(EXPR WIDTH "0x${WIDTH_HEX}")
math(EXPR HEIGHT "0x${HEIGHT_HEX}")
if(WIDTH LESS 1000 OR HEIGHT LESS 600)
    message(FATAL_ERROR "${PNG} is ${WIDTH}x${HEIGHT}; the window should be about 1500x800")
endif()
message(STATUS "cmview_demo rendered ${WIDTH}x${HEIGHT} into ${PNG}")
