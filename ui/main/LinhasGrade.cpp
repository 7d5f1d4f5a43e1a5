#include "ui/main/LinhasGrade.h"

#include "common/Mensagens.h"
#include "platform/DataSetModel.h"
#include "platform/Dialogs.h"
#include "platform/qt/FieldBinding.h"

#include <QKeyEvent>
#include <QTableView>

#include <algorithm>

namespace ui {

LinhasGrade::LinhasGrade(QTableView& grade, platform::DataSetModel& modelo, QString pergunta)
    : QObject(&grade), m_grade(grade), m_modelo(modelo), m_pergunta(std::move(pergunta)) {
    grade.installEventFilter(this);
}

void LinhasGrade::inclui(int coluna) {
    platform::DataSet& ds = m_modelo.dataSet();
    if (!ds.active())
        return;
    if (ds.state() != platform::DataSetState::Insert && !platform::runReporting([this, &ds] {
            if (antesDeIncluir)
                antesDeIncluir();
            ds.append();
        }))
        return;
    m_grade.setFocus();
    if (m_modelo.linhaNova() >= 0)
        m_grade.setCurrentIndex(m_modelo.index(m_modelo.linhaNova(), coluna));
}

bool LinhasGrade::exclui() {
    platform::DataSet& ds = m_modelo.dataSet();
    if (!ds.active())
        return false;
    if (ds.state() == platform::DataSetState::Insert) {
        ds.cancel();
        return false;
    }
    if (ds.isEmpty())
        return false;
    const QString pergunta = perguntaDaLinha ? perguntaDaLinha() : m_pergunta;
    if (common::Pergunta(pergunta, {QStringLiteral("Sim"), QStringLiteral("Não")}) != QLatin1String("Sim"))
        return false;
    if (!platform::runReporting([&ds] { ds.remove(); }))
        return false;
    if (aposExclusao)
        platform::runReporting(aposExclusao);
    return true;
}

bool LinhasGrade::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != &m_grade || evento->type() != QEvent::KeyPress)
        return QObject::eventFilter(objeto, evento);
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const Qt::KeyboardModifiers mods = tecla->modifiers() & ~Qt::KeypadModifier;
    if (tecla->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
        inclui();
        return true;
    }
    if (tecla->key() == Qt::Key_Delete && mods == Qt::ControlModifier) {
        exclui();
        return true;
    }
    // Down on the last stored row opens a new one, as in any grid of records.
    if (tecla->key() == Qt::Key_Down && mods == Qt::NoModifier && m_modelo.linhaNova() < 0 &&
        m_grade.currentIndex().row() == m_modelo.rowCount() - 1) {
        inclui(std::max(m_grade.currentIndex().column(), 0));
        return true;
    }
    return QObject::eventFilter(objeto, evento);
}

} // namespace ui
