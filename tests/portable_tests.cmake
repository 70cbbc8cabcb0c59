# The core's tests that need nothing of the host: they build with gcc, clang and emscripten.
set(ZELVAR_PORTABLE_TESTS
    common/hidden_characters_test.cpp
    config/advice_test.cpp
    config/aprs_symbols_test.cpp
    config/image_builder_test.cpp
    cfg/cfg_reader_test.cpp
    geo/coordinate_reading_test.cpp
    geo/position_calculation_test.cpp
    text/translation_test.cpp
    transfer/send_pacer_test.cpp
    transfer/send_sequence_test.cpp
    transfer/transfer_check_test.cpp)
list(TRANSFORM ZELVAR_PORTABLE_TESTS PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
