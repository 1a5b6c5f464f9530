// MostrarAcercaDe: the About box of the General module.
#pragma once

#include <QString>

class Prompts;
class QWidget;

namespace General {
// Program title, an empty line and the credits, lines joined by a line feed.
QString TextoAcercaDe();
void MostrarAcercaDe(Prompts& avisos, QWidget* padre);
} // namespace General
