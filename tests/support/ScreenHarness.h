#pragma once

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>
#include <deque>
#include <map>
#include <memory>

#include "HeldRun.h"
#include "ItemSearch.h"
#include "MainScreen.h"
#include "MemoryPreferences.h"
#include "PendingItemsModel.h"
#include "StorageProbe.h"
#include "TempFolder.h"

namespace testing_support {

// Storage as the test says it is: by the item's path, or else a plain local disk.
class FakeStorageProbe final : public fendry::StorageProbe {
public:
    std::optional<fendry::StorageFacts> factsOf(const std::filesystem::path& item) const override {
        const auto found = facts.find(item);
        return found == facts.end()
                   ? std::optional(fendry::StorageFacts{0xEF53, "ext4", "rw,relatime", true, {}})
                   : found->second;
    }

    std::map<std::filesystem::path, std::optional<fendry::StorageFacts>> facts;
};

// The main screen in a window of its own, over files in a temporary folder. A run is held (see
// HeldRun), and so is the fetching of what the pending entries hold and where they live.
class ScreenHarness {
public:
    explicit ScreenHarness(fendry::Preferences* preferences = nullptr)
        : preferences_(preferences ? preferences : &memory_),
          files_([this](fendry::Task task) { fetches_.push_back(std::move(task)); }, probe_),
          screen_(files_, *preferences_, run_.environment()) {
        view.engine()->addImportPath(QStringLiteral("qrc:/"));
        view.setInitialProperties({{QStringLiteral("screen"), QVariant::fromValue(&screen_)}});
        view.setSource(QUrl(QStringLiteral("qrc:/Fendry/Ui/qml/ContentView.qml")));
        view.show();
    }

    // Whether the window came on screen; tests check it before anything else.
    [[nodiscard]] bool exposed() { return QTest::qWaitForWindowExposed(&view); }

    fendry::MainScreen& screen() { return screen_; }
    fendry::PendingItemsModel& files() { return files_; }
    const TempFolder& root() const { return root_; }

    std::filesystem::path file(const std::string& name, std::size_t size = 10) {
        writeFile(root_ / name, size);
        return root_ / name;
    }
    FakeStorageProbe& probe() { return *probe_; }
    // Adds as the user would, and lets the counting finish.
    void add(const std::filesystem::path& path) {
        files_.add(path);
        fetchFacts();
    }

    // Lets the fetching of counts and storage that has been asked for finish and report.
    void fetchFacts() {
        while (!fetches_.empty()) {
            auto fetch = std::move(fetches_.front());
            fetches_.pop_front();
            fetch();
            QCoreApplication::sendPostedEvents(&files_, QEvent::MetaCall);
        }
    }

    void runBackgroundWork() { run_.runBackgroundWork(); }
    void deliverUpdates(int count = -1) { run_.deliverUpdates(count); }
    void finishBackgroundWork() { run_.finish(); }

    QQuickItem* find(const QString& objectName) { return findItem(view.contentItem(), objectName); }
    QString text(const QString& objectName) {
        QQuickItem* item = find(objectName);
        return item ? item->property("text").toString() : QString();
    }
    // Shown means on screen now: the item and all its parents visible.
    bool shown(const QString& objectName) {
        QQuickItem* item = find(objectName);
        return item && item->isVisible();
    }
    bool contentShown(const QString& objectName) {
        QQuickItem* item = find(objectName);
        return item && item->property("shown").toBool();
    }
    void click(const QString& objectName) {
        QQuickItem* item = find(objectName);
        QVERIFY2(item, qPrintable(objectName));
        QTest::qWait(50);  // let the layout place what just came on screen
        QTest::mouseClick(
            &view, Qt::LeftButton, {},
            item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
    }

private:
    TempFolder root_;
    MemoryPreferences memory_;
    fendry::Preferences* preferences_;
    std::shared_ptr<FakeStorageProbe> probe_ = std::make_shared<FakeStorageProbe>();
    std::deque<fendry::Task> fetches_;
    fendry::PendingItemsModel files_;
    HeldRun run_;
    fendry::MainScreen screen_;

public:
    QQuickView view;  // last, so that it goes before the screen it shows
};

}  // namespace testing_support
