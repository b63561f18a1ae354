# The terminal's data operations (BaseDatos). Its test runs on the embedded back-end from server/;
# target names are resolved when the build is generated, so that folder coming later does not matter.
target_sources(nerin_data PRIVATE BaseDatos.cpp TransaccionBD.cpp)
target_link_libraries(nerin_data PUBLIC nerin_crypto)

nerin_add_test(NAME basedatos_tests
  SOURCES tests/BaseDatosTest.cpp tests/BaseDatosReportTest.cpp
  LIBS nerin_data nerin_server)
