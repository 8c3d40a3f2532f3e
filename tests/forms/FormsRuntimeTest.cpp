// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/RuntimeError.h"
#include "forms/Timer.h"
#include "support/ManualClock.h"
#include "support/RecordedMessageBoxes.h"
#include "support/RecordingSound.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// A small form: a label with a picture box over its top-left corner, a label without a
// handler, a list and a timer; every event is logged.
class Probe : public Form {
public:
    Probe(FormsRuntime& runtime, int slot, QStringList& log)
        : Form(runtime, slot, {.caption = QStringLiteral("Probe"), .clientSize = {200, 100}}),
          m_log(log) {
        Under = new Label(window(), {.bounds = {0, 0, 3000, 1500}});
        Mute = new Label(window(), {.bounds = {1500, 0, 750, 750}});
        Over = new PictureBox(window(), {.bounds = {0, 0, 750, 750}});
        List = new ListBox(window(), {.bounds = {2250, 0, 750, 1500}});
        Tick = addTimer(100);
        Under->setClickHandler(handler(&Probe::Under_Click));
        Over->setClickHandler(handler(&Probe::Over_Click));
        List->setClickHandler(handler(&Probe::List_Click));
        Tick->setTimerHandler(handler(&Probe::Tick_Timer));
    }

    Label* Under;
    Label* Mute;
    PictureBox* Over;
    ListBox* List;
    Timer* Tick;
    std::function<void()> onUnload;
    std::function<void()> onClick;

protected:
    void Form_Load() override { m_log << QStringLiteral("load %1").arg(slot()); }
    void Form_Unload() override {
        m_log << QStringLiteral("unload %1").arg(slot());
        if (onUnload) {
            onUnload();
        }
    }

private:
    void Under_Click() {
        m_log << QStringLiteral("under");
        if (onClick) {
            onClick();
        }
    }
    void Over_Click() { m_log << QStringLiteral("over"); }
    void List_Click() { m_log << QStringLiteral("list %1").arg(List->ListIndex()); }
    void Tick_Timer() { m_log << QStringLiteral("tick %1").arg(m_clock->now()); }

    QStringList& m_log;

public:
    ManualClock* m_clock = nullptr;
};

struct Runtime {
    Runtime() {
        Services services;
        auto manual = std::make_unique<ManualClock>();
        auto recorded = std::make_unique<RecordedMessageBoxes>();
        clock = manual.get();
        messages = recorded.get();
        services.clock = std::move(manual);
        services.messageBoxes = std::move(recorded);
        services.sound = std::make_unique<RecordingSound>();
        services.today = [] { return QDate(2026, 12, 8); };
        runtime = std::make_unique<FormsRuntime>(std::move(services), QStringLiteral("Title"), 2);
    }
    Probe& probe(int slot) {
        if (auto* form = runtime->loaded(slot)) {
            return static_cast<Probe&>(*form);
        }
        auto* created = new Probe(*runtime, slot, log);
        created->m_clock = clock;
        runtime->load(created);
        return *created;
    }
    void click(Probe& form, QPoint at) {
        QTest::mouseClick(form.window()->windowHandle(), Qt::LeftButton, {}, at);
    }

    ManualClock* clock;
    RecordedMessageBoxes* messages;
    QStringList log;
    std::unique_ptr<FormsRuntime> runtime;
};

} // namespace

class FormsRuntimeTest : public QObject {
    Q_OBJECT

private slots:
    void clicksGoToTheTopmostVisibleControl_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("overVisible");
        QTest::addColumn<bool>("formEnabled");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("picture box above the label")
            << QPoint(10, 10) << true << true << false << QStringList{"over"};
        QTest::newRow("hidden picture box lets it through")
            << QPoint(10, 10) << false << true << false << QStringList{"under"};
        QTest::newRow("label outside the picture box")
            << QPoint(80, 80) << true << true << false << QStringList{"under"};
        QTest::newRow("label without handler swallows it")
            << QPoint(110, 10) << true << true << false << QStringList{};
        QTest::newRow("disabled form takes nothing")
            << QPoint(10, 10) << true << false << false << QStringList{};
        QTest::newRow("double-click is one click")
            << QPoint(80, 80) << true << true << true << QStringList{"under"};
    }
    void clicksGoToTheTopmostVisibleControl() {
        QFETCH(QPoint, at);
        QFETCH(bool, overVisible);
        QFETCH(bool, formEnabled);
        QFETCH(bool, doubleClick);
        QFETCH(QStringList, log);
        Runtime r;
        Probe& form = r.probe(0);
        form.Show();
        form.Over->setVisible(overVisible);
        form.setEnabled(formEnabled);
        r.log.clear();
        if (doubleClick) {
            QTest::mouseDClick(form.window()->windowHandle(), Qt::LeftButton, {}, at);
        } else {
            r.click(form, at);
        }
        QCOMPARE(r.log, log);
    }

    void enablingStartsAFullIntervalAndDisablingDropsThePartRun() {
        Runtime r;
        Probe& form = r.probe(0);
        r.log.clear();
        form.Tick->setEnabled(true);
        r.clock->advance(250); // ticks at 100 and 200
        form.Tick->setEnabled(false);
        r.clock->advance(20);
        form.Tick->setEnabled(true); // 270: the 50 ms run before are dropped
        r.clock->advance(150);
        form.Tick->setEnabled(true); // already enabled: no restart
        r.clock->advance(100);
        QCOMPARE(r.log, (QStringList{"tick 100", "tick 200", "tick 370", "tick 470"}));
    }

    void formsLoadOnFirstReferenceAndTheProgramEndsWithTheLast() {
        Runtime r;
        QSignalSpy ended(r.runtime.get(), &FormsRuntime::ended);
        r.runtime->unload(1); // not loaded: nothing happens, nothing is loaded
        QVERIFY(r.runtime->loaded(1) == nullptr);
        Probe& first = r.probe(0);
        r.probe(0);
        r.probe(1);
        first.onUnload = [&] { r.runtime->unload(0); }; // re-entry does nothing
        r.runtime->unload(0);
        QVERIFY(!r.runtime->hasEnded());
        r.runtime->unload(1);
        QCOMPARE(r.log, (QStringList{"load 0", "load 1", "unload 0", "unload 1"}));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).toInt(), 0);
    }

    void anUnloadedFormsTimerNeverTicksAgain() {
        Runtime r;
        r.probe(1);
        r.probe(0).Tick->setEnabled(true);
        r.runtime->unload(0);
        r.log.clear();
        r.clock->advance(1000);
        QCOMPARE(r.log, QStringList{});
        QCOMPARE(r.clock->activeTimers(), 0);
    }

    void settingListIndexRaisesClickAndOutOfRangeIsAnError() {
        Runtime r;
        Probe& form = r.probe(0);
        form.List->AddItem(QStringLiteral("a"));
        form.List->AddItem(QStringLiteral("b"));
        r.log.clear();
        r.runtime->run([&] { form.List->setListIndex(1); });
        QCOMPARE(r.log, QStringList{"list 1"});
        QCOMPARE(form.List->Text(), QStringLiteral("b"));
        QCOMPARE(form.List->NewIndex(), 1);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, form.List->setListIndex(2));
        form.List->Clear();
        QCOMPARE(form.List->NewIndex(), -1);
        QCOMPARE(form.List->Text(), QString());
    }

    void aFailingHandlerShowsTheErrorAndEndsTheProgram() {
        Runtime r;
        Probe& form = r.probe(0);
        form.Show();
        form.Tick->setEnabled(true);
        form.onClick = [] {
            throw RuntimeError(RuntimeError::TypeMismatch, QStringLiteral("Neshoda typů"));
        };
        r.click(form, QPoint(80, 80));
        QCOMPARE(r.messages->shown.size(), size_t(1));
        QCOMPARE(r.messages->shown[0].caption, QStringLiteral("Title"));
        QCOMPARE(r.messages->shown[0].icon, MessageIcon::Critical);
        QVERIFY(r.messages->shown[0].text.contains(QStringLiteral("Neshoda typů")));
        QVERIFY(r.runtime->hasEnded());
        QCOMPARE(r.runtime->exitCode(), 1);
        r.log.clear();
        r.clock->advance(1000);
        QCOMPARE(r.log, QStringList{});
    }
};

static const RegisteredTest<FormsRuntimeTest> registered;
#include "FormsRuntimeTest.moc"
