#pragma once

#include <QObject>
#include <functional>

namespace fendry {

// Sees every key press the application receives, in any of its windows, before the focused
// control does, except those typed into an open menu. The handler answers whether it consumed
// the key.
class KeyMonitor final : public QObject {
public:
    using Handler = std::function<bool(int key)>;

    explicit KeyMonitor(Handler handler, QObject* parent = nullptr);
    ~KeyMonitor() override;

    void setInstalled(bool installed);
    bool isInstalled() const { return installed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
    bool installed_ = false;
};

}  // namespace fendry
