// MostrarAcercaDe: the About box of the General module.
#pragma once

#include <QString>

class Prompts;
class QWidget;

namespace General {
// Program title, an empty line and the credits, lines joined by a line feed.
QString TextoAcercaDe();
// Shows that text with the values after the contact labels lined up in one column.
void MostrarAcercaDe(Prompts& avisos, QWidget* padre);
} // namespace General
