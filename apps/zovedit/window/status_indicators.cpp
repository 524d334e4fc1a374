#include "status_indicators.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <X11/XKBlib.h>

#include "qt_text.h"

namespace zovedit {

namespace {

constexpr int kRefreshMilliseconds = 300;

// The lock indicator named `name` of the X11 display; false when unknown.
bool x11_indicator(const char* name) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return false;
    Display* display = x11->display();
    Atom atom = XInternAtom(display, name, True);
    if (atom == None) return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    return on;
}

}  // namespace

StatusIndicators::StatusIndicators(QStatusBar* bar) : QObject(bar) {
    for (QLabel*& label : labels_) {
        label = new QLabel(bar);
        label->setMinimumWidth(40);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label);
    }
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &StatusIndicators::refresh);
    timer->start(kRefreshMilliseconds);
    refresh();
}

void StatusIndicators::refresh() {
    // labels_[0] is kana: X11 keeps no kana lock state.
    labels_[1]->setText(x11_indicator("Caps Lock") ? QStringLiteral("CAP") : QString());
    labels_[2]->setText(x11_indicator("Num Lock") ? QStringLiteral("NUM") : QString());
    labels_[3]->setText(x11_indicator("Scroll Lock") ? QStringLiteral("SCRL") : QString());
}

}  // namespace zovedit
