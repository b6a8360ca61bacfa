#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace fendry {

// Whether the user has left the application alone for a while: no key, click, wheel or touch
// in any of its windows for `quiet`. The start counts as the user's doing.
class UserIdle final : public QObject {
    Q_OBJECT

public:
    explicit UserIdle(std::chrono::milliseconds quiet, QObject* parent = nullptr);
    ~UserIdle() override;

    bool isIdle() const { return idle_; }

signals:
    void becameIdle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer quiet_;
    bool idle_ = false;
};

}  // namespace fendry
