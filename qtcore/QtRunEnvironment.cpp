#include "QtRunEnvironment.h"

#include <QMetaObject>
#include <QThreadPool>

namespace fendry {

RunEnvironment qtRunEnvironment(QObject* mainThreadContext) {
    RunEnvironment environment;
    environment.runInBackground = [](Task task) {
        QThreadPool::globalInstance()->start(std::move(task));
    };
    environment.postToMain = [mainThreadContext](Task task) {
        QMetaObject::invokeMethod(mainThreadContext, std::move(task), Qt::QueuedConnection);
    };
    // About one update per frame of a 60 Hz screen.
    environment.progressInterval = std::chrono::milliseconds(16);
    return environment;
}

}  // namespace fendry
