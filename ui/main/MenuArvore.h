#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QTreeWidget;

namespace ui {

// One node of the tree menu; level 0 is a root.
struct NoMenu {
    int nivel;
    QString texto;
};

// The menu the program always starts with: blocks of the file and their records.
const QList<NoMenu>& NosMenuPadrao();

// The menu file's bytes: one line per node in tree order, one tab per level, CR LF, Latin-1.
QByteArray ConteudoMenu(const QList<NoMenu>& nos);

// Replaces the file with the built-in nodes; throws std::runtime_error when it cannot be written.
void GravaMenuPadrao(const QString& caminho);

// Reads the file's lines into nodes: each leading tab or blank is one level. A line more than one
// level below the line before throws std::runtime_error "Invalid level (n) for item "text"".
QList<NoMenu> LeMenu(const QByteArray& conteudo);

// Fills the tree (emptied first) from nodes that LeMenu accepted.
void MontaArvore(QTreeWidget& arvore, const QList<NoMenu>& nos);

} // namespace ui
