# The Qt screens: the message window and the on-screen keyboards, and the Prompts that show them.
if(NOT TARGET nerin_ui)
  add_subdirectory(${PROJECT_SOURCE_DIR}/ui ${PROJECT_BINARY_DIR}/ui)
endif()

add_library(nerin_keyboards
  DialogoEspera.cpp
  FrmTecladoHora.cpp
  FrmTecladoNum.cpp
  FrmTecladoPago.cpp
  QtPrompts.cpp
  ValorTecleado.cpp
  frmMsg.cpp
  frmTecladoLibre.cpp
  frmTecladoNumerico.cpp
)
target_link_libraries(nerin_keyboards PUBLIC nerin_prompts nerin_ui nerin_data Qt6::Widgets)

nerin_add_test(NAME keyboards_tests
  SOURCES
    tests/FrmTecladoHoraTest.cpp
    tests/FrmTecladoNumTest.cpp
    tests/FrmTecladoPagoTest.cpp
    tests/NumeroTecleadoTest.cpp
    tests/QtPromptsTest.cpp
    tests/ScriptedPromptsTest.cpp
    tests/frmMsgTest.cpp
    tests/frmTecladoLibreTest.cpp
    tests/frmTecladoNumericoTest.cpp
  LIBS nerin_keyboards Qt6::Test nerin_widgets_test_main)
