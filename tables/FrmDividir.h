#pragma once

#include "tables/CuentasComanda.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

// The split screen: the live items of the current account on the left, the new account's on the
// right. "Agregar" and "Quitar" move the selected item across; "Aceptar" makes the new account with
// the right-hand items (see CuentasComanda::dividir) and closes; "Cancelar" closes changing nothing.
class FrmDividir : public ModalScreen {
public:
    FrmDividir(CuentasComanda& cuentas, qint16 cuenta, const QString& mesa, QWidget* parent = nullptr);

    // The account made by "Aceptar"; none when nothing was split.
    std::optional<qint16> nueva() const { return m_nueva; }

    void Llenar_Cuenta();

private:
    void pasar(QList<CuentasComanda::Articulo>& de, QTableWidget* desde, QList<CuentasComanda::Articulo>& a);
    void mostrarLista(QTableWidget* grid, const QList<CuentasComanda::Articulo>& articulos);
    void aceptar();

    CuentasComanda& m_cuentas;
    qint16 m_cuenta;
    QString m_mesa;
    QList<CuentasComanda::Articulo> m_izquierda;
    QList<CuentasComanda::Articulo> m_derecha;
    std::optional<qint16> m_nueva;
    QTableWidget* m_grdCuenta;
    QTableWidget* m_grdNueva;
};

} // namespace nerin
