#pragma once

#include <QProxyStyle>

// The desktop's style as it is, but for the icons of the menu bar's and
// tool bars' overflow buttons: the style reads them from image files as soon
// as it is asked, and every menu bar asks when it is made. They are read
// here only when drawn, which is seldom, since the button shows only when
// the bar runs out of room.
class DeferredIconStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit DeferredIconStyle(QStyle *base);

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
