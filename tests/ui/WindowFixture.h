#pragma once

#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "common/Settings.h"
#include "ui/TfrmBase.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A fresh database, settings file, scripted prompts and clock for one window.
struct WindowFixture {
    WindowFixture() : settings(config.filePath("Vendrick.ini")) { clock.setToday(testToday()); }

    std::unique_ptr<TfrmBase> makeWindow(const QStringList& arguments = {}) {
        auto w = std::make_unique<TfrmBase>(db.db(), settings, prompts, clock, RegionalSettings::russian(), arguments);
        return w;
    }

    TestDb db;
    QTemporaryDir config;
    Settings settings;
    ScriptedPrompts prompts;
    Clock clock;
};

template <typename T = QWidget> T* control(QWidget* window, const char* name) {
    T* w = window->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}
