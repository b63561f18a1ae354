#pragma once

#include "order/Paquetes.h"

#include <QWidget>
#include <functional>

class QGridLayout;
class QLabel;

namespace nerin {

// The package panel, shown in place of the product buttons: the packages to insert, the packages
// to choose contents for, a package's contents, the gifts on offer and a promotion's products. A
// line it adds goes to `alAgregar`; `fila` gives the row selected on the account.
class FraPaquetes : public QWidget {
public:
    enum class Modo {
        Insertar,  // packages listed to insert a head
        Elegir,    // packages listed to choose contents for
        Contenido, // the contents of one package
        Obsequios, // the promotions whose gifts are offered
        Promocion, // the products one promotion gives away
    };
    static constexpr int kColumnas = 4;
    static constexpr int kFilas = 5;

    FraPaquetes(Paquetes& paquetes, std::function<int()> fila,
                std::function<void(const AgregarProducto::Agregada&)> alAgregar, QWidget* parent = nullptr);

    // Lists what `modo` shows, from its first page; false when the database failed.
    bool mostrar(Modo modo, qint32 id = 0);
    Modo modo() const { return m_modo; }
    void paginaSiguiente();
    void paginaAnterior();

private:
    void crearBotones();
    void presionar(qint32 id, int indice);

    Paquetes& m_paquetes;
    std::function<int()> m_fila;
    std::function<void(const AgregarProducto::Agregada&)> m_alAgregar;
    Modo m_modo = Modo::Insertar;
    qint32 m_id = 0; // the package of the contents, or the promotion of the products
    QList<Paquetes::Boton> m_botones;
    int m_pagina = 0;
    QLabel* m_titulo = nullptr;
    QGridLayout* m_rejilla = nullptr;
};

} // namespace nerin
