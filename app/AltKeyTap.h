#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>

namespace fendry {

// Tells when Alt is pressed and let go with nothing else in between, in any of the
// application's windows: on Linux desktops that opens the menu bar.
class AltKeyTap : public QObject {
    Q_OBJECT
    QML_ELEMENT

public:
    explicit AltKeyTap(QObject* parent = nullptr);
    ~AltKeyTap() override;

signals:
    void tapped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool armed_ = false;
};

}  // namespace fendry
