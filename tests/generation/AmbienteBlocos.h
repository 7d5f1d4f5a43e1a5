#pragma once

#include "common/Mensagens.h"
#include "data/dmFCONT.h"
#include "generation/LinhaRegistro.h"
#include "generation/dmBlocos.h"
#include "platform/EventLoop.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QVariant>
#include <memory>
#include <utility>

// The two data modules without a database: rows are stored by hand, the account mask comes from
// `mascara` and the progress goes to `prompt`.
class AmbienteBlocos : public ::testing::Test {
protected:
    AmbienteBlocos() {
        fcont.slArquivo = std::make_unique<QStringList>();
        fcont.prompt = &prompt;
        generation::DefineMascaraConta([this] { return mascara; });
    }
    ~AmbienteBlocos() override {
        generation::DefineMascaraConta({});
        platform::setPendingEventsHook({});
    }

    using Valores = std::initializer_list<std::pair<const char*, QVariant>>;

    // Appends a row with these values and stores it, which runs the table's hooks.
    static void grava(platform::DataSet& tabela, Valores valores) {
        tabela.append();
        for (const auto& [campo, valor] : valores)
            tabela.fieldByName(QString::fromLatin1(campo)).setValue(valor);
        tabela.post();
    }

    QStringList& linhas() { return *fcont.slArquivo; }

    platform::ScopedDialogs dialogs;
    data::TdmFCONT fcont;
    generation::TdmBlocos blocos;
    common::MemoPrompt prompt;
    QString mascara;
};
