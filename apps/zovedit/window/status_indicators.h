#pragma once
// The status bar's four indicators: kana, caps lock, num lock and scroll
// lock. X11 tells the three lock states; kana has no X11 state and stays
// blank, as do all four where the display is not X11.
#include <QObject>
#include <array>

class QLabel;
class QStatusBar;

namespace zovedit {

class StatusIndicators : public QObject {
    Q_OBJECT
public:
    explicit StatusIndicators(QStatusBar* bar);

private:
    void refresh();

    std::array<QLabel*, 4> labels_{};
};

}  // namespace zovedit
