#include "QtRunEnvironment.h"

#include <QMetaObject>
#include <QThreadPool>

fendry::RunEnvironment qtRunEnvironment(QObject* mainThreadContext) {
    fendry::RunEnvironment environment;
    environment.runInBackground = [](fendry::Task task) {
        QThreadPool::globalInstance()->start(std::move(task));
    };
    environment.postToMain = [mainThreadContext](fendry::Task task) {
        QMetaObject::invokeMethod(mainThreadContext, std::move(task), Qt::QueuedConnection);
    };
    // About one update per frame of a 60 Hz screen.
    environment.progressInterval = std::chrono::milliseconds(16);
    return environment;
}
