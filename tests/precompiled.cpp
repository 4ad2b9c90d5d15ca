// Carries the shared precompiled headers; see tests/CMakeLists.txt.
