# One Debian package per program (scripts/package makes them): nerin-terminal, nerin-printq, nerin-sql
# and nerin-lealtad. Each program's CMakeLists installs it into its component; packaging/ adds the
# manual pages, the services and the maintainer scripts. Library dependencies come from
# dpkg-shlibdeps; what a program loads at run time without linking it is declared here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nerin)
set(CPACK_PACKAGE_VENDOR Nerin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL nerin-terminal nerin-printq nerin-sql nerin-lealtad)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Nerin <soporte@nerin.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)

set(_debian ${PROJECT_SOURCE_DIR}/packaging/debian)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${component})
  set(CPACK_DEBIAN_${upper}_PACKAGE_SHLIBDEPS ON)
endforeach()

# The X11 platform plugin comes with libqt6gui6 (a library dependency); Wayland's is qt6-wayland. The
# user service needs a user session manager (libpam-systemd). The ODBC back-end loads the FreeTDS
# driver (tdsodbc) through unixODBC.
set(CPACK_COMPONENT_NERIN-TERMINAL_DESCRIPTION
    "Nerin restaurant touch-screen terminal
The point-of-sale terminal of a restaurant: tables, orders, kitchen orders,
payments, invoices and the close of day, full screen on a touch screen. Its
database is an embedded SQLite file, a PostgreSQL server, or SQL Server
through ODBC. A systemd user service and an autostart entry run it as a
kiosk.")
set(CPACK_DEBIAN_NERIN-TERMINAL_PACKAGE_RECOMMENDS "qt6-wayland, libpam-systemd, tdsodbc")
set(CPACK_DEBIAN_NERIN-TERMINAL_PACKAGE_SUGGESTS "nerin-printq, nerin-sql")
set(CPACK_DEBIAN_NERIN-TERMINAL_PACKAGE_CONTROL_EXTRA ${_debian}/nerin-terminal/conffiles)

set(CPACK_COMPONENT_NERIN-PRINTQ_DESCRIPTION
    "Nerin print queue
Prints the jobs that the restaurant's terminals queue in the database on
ESC/POS printers: over TCP, on device ports, or into files. The systemd
service nerin-printq@USER runs it.")
set(CPACK_DEBIAN_NERIN-PRINTQ_PACKAGE_RECOMMENDS "tdsodbc")
set(CPACK_DEBIAN_NERIN-PRINTQ_PACKAGE_SUGGESTS "nerin-terminal, nerin-sql")
set(CPACK_DEBIAN_NERIN-PRINTQ_PACKAGE_CONTROL_EXTRA
    ${_debian}/nerin-printq/conffiles ${_debian}/nerin-printq/postinst ${_debian}/nerin-printq/prerm
    ${_debian}/nerin-printq/postrm)

set(CPACK_COMPONENT_NERIN-SQL_DESCRIPTION
    "Nerin SQL command-line tool
Runs T-SQL against the restaurant database and prints the rows as
tab-separated text; creates the restaurant's database (or the demo
restaurant) on SQLite or PostgreSQL; backs the embedded database up and
restores it.")
set(CPACK_DEBIAN_NERIN-SQL_PACKAGE_RECOMMENDS "tdsodbc")

set(CPACK_COMPONENT_NERIN-LEALTAD_DESCRIPTION
    "Stand-in loyalty web service for Nerin
A SOAP 1.1 loyalty service on the loopback interface, with cards and
customers in a JSON file, for demonstrations and tests of the terminal's
loyalty programme.")

include(CPack)
