// Tables of one struct per row (declared before `private slots:`, where moc would not take it):
//   struct Caso { const char* fila; int dia; QString texto; };
//   void f_data() { tabla<Caso>({{"lunes", 1, "L"}, {"martes", 2, "M"}}); }
//   void f() { const auto& c = fila<Caso>(); ... }
#pragma once

#include <QtTest>
#include <initializer_list>

template <typename Caso> void tabla(std::initializer_list<Caso> casos) {
    QTest::addColumn<Caso>("caso");
    for (const Caso& c : casos)
        QTest::newRow(c.fila) << c;
}

template <typename Caso> const Caso& fila() {
    return *static_cast<const Caso*>(QTest::qData("caso", qMetaTypeId<Caso>()));
}
