#pragma once

#include "common/RegionalSettings.h"

#include <QDialog>

#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;

// The about box: version, release date, the maker's site and the free physical memory.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 343;
    static constexpr int kClientHeight = 159;

    explicit TAboutForm(const RegionalSettings& regional, QWidget* parent = nullptr);

    // "Свободная память:        %s K" with the free memory in KiB in the form ",0.##".
    static QString memoryLine(std::uint64_t freeBytes, const RegionalSettings& regional);

    void FormCreate();
    void btnOKClick();
    void Label8Click();
    void lRekMouseMove();
    void FormMouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setRekColour(bool hovered);

    RegionalSettings m_regional;
    QFrame* Panel1 = nullptr;
    QLabel* Im = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lRek = nullptr;
    QLabel* Label12 = nullptr;
    QFrame* Shape2 = nullptr;
    QLabel* FreeMem = nullptr;
    QPushButton* btnOK = nullptr;
};
