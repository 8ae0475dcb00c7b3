// Read-aloud: what the voice is handed, in which mode, at which moment, and how the
// window copes without a voice. A recording speaker stands in for the system's.

#include "tests/main_window/form1_harness.h"

#include "engine/drill_engine.h"
#include "main_window/form1.h"
#include "shell/speaker.h"
#include "widgets/announcer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>
#include <vector>

using namespace sumbrook;
using namespace sumbrook::testing;
using Mode = shell::Speaker::Mode;
using Voice = shell::Speaker::Voice;

namespace {

struct Utterance {
    Mode mode;
    QString text;
    int pausesBefore; // the engine's pauses taken when the text was handed over
};

// What the speaker saw; kept by the test, since the window owns the speaker.
struct SpeakerLog {
    int opens = 0;
    int closes = 0;
    bool open = false;
    std::vector<Utterance> said;
};

class RecordingSpeaker final : public shell::Speaker {
public:
    RecordingSpeaker(SpeakerLog& log, const FakePauseSource& pauses, Voice voice)
        : m_log(log), m_pauses(pauses), m_voice(voice) {}
    Voice open() override {
        ++m_log.opens;
        m_log.open = true;
        return m_voice;
    }
    bool say(const std::string& text, Mode mode) override {
        if (!m_log.open)
            return false;
        m_log.said.push_back({mode, QString::fromStdString(text), m_pauses.pauses});
        return true;
    }
    void close() override {
        ++m_log.closes;
        m_log.open = false;
    }
    std::string voiceName() const override { return "test voice"; }
    std::string installHint() const override { return "INSTALL HINT"; }

private:
    SpeakerLog& m_log;
    const FakePauseSource& m_pauses;
    Voice m_voice;
};

} // namespace

class Form1ReadAloudTest final : public QObject, private Form1Harness {
    Q_OBJECT

    SpeakerLog m_log;
    Announcer* m_announcer = nullptr;

    void useSpeaker(Voice voice) {
        m_log = SpeakerLog();
        form().setSpeaker(std::make_unique<RecordingSpeaker>(m_log, m_pauses, voice));
    }
    // The problem now shown, as a voice reads it.
    QString spokenProblem() {
        QString problem = form().lbl6->text();
        problem.replace(QStringLiteral("＋"), QStringLiteral(" 加 "))
            .replace(QStringLiteral("－"), QStringLiteral(" 减 "))
            .replace(QStringLiteral("＝"), QStringLiteral(" 等于"));
        return QStringLiteral("第%1题 %2")
            .arg(form().engine().state().CorrectCount + 1)
            .arg(problem);
    }

private Q_SLOTS:
    void init() {
        QVERIFY(start());
        m_announcer = form().findChild<Announcer*>();
        QVERIFY(m_announcer);
        QTRY_COMPARE(m_announcer->count(), 1); // the first problem, told to a screen reader
    }
    void cleanup() { stop(); }

    void commandSitsBetweenTheOthersAndIsOff() {
        const QList<QAction*> actions = form().A1->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions.at(0), form().L1);
        QCOMPARE(actions.at(1), form().R1);
        QCOMPARE(actions.at(2), form().A2);
        QCOMPARE(form().R1->text(), QStringLiteral("朗读题目和对错(&R)"));
        QVERIFY(form().R1->isCheckable());
        QVERIFY(!form().R1->isChecked());
    }

    void switchingOnSpeaksAtOnceAndOffSilences() {
        useSpeaker(Voice::Mandarin);
        form().edt1->setFocus();
        play(QStringLiteral("Space"));
        QTest::qWait(20);
        QCOMPARE(m_log.opens, 0); // off: the speech is not even opened
        form().R1->trigger();
        QVERIFY(form().R1->isChecked());
        QCOMPARE(m_log.opens, 1);
        QCOMPARE(m_log.said.size(), std::size_t{1});
        QCOMPARE(m_log.said[0].text, QStringLiteral("朗读已打开"));
        QCOMPARE(m_log.said[0].mode, Mode::Interrupt);

        form().R1->trigger();
        QVERIFY(!form().R1->isChecked());
        QCOMPARE(m_log.closes, 1);
        const int announced = m_announcer->count();
        play(QStringLiteral("Space"));
        QTest::qWait(20);
        QCOMPARE(m_log.said.size(), std::size_t{1});   // nothing more is said
        QCOMPARE(m_announcer->count(), announced + 1); // and the screen reader hears again
        QVERIFY(m_reporter->messages.isEmpty());
    }

    // Each action's texts, as the announcer gets them, in the spoken form; the first
    // interrupts, what follows a verdict waits for it.
    void actionsAreSpoken_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QStringList>("spoken"); // "I:" interrupts, "A:" waits; PROBLEM, ANSWER
        const auto row = [](const char* name, const char* script, const char* limit,
                            const QStringList& spoken) {
            QTest::newRow(name) << QString::fromLatin1(script) << QString::fromLatin1(limit)
                                << spoken;
        };
        row("right answer", "ANSWER Enter", "25",
            {QStringLiteral("I:真聪明! 答对了!"), QStringLiteral("A:PROBLEM")});
        row("wrong answer", "WRONG Enter", "25", {QStringLiteral("I:再想想! 答错了!")});
        row("wrong then skip", "WRONG Enter Space", "25",
            {QStringLiteral("I:再想想! 答错了!"), QStringLiteral("I:PROBLEM")});
        row("space", "Space", "25", {QStringLiteral("I:PROBLEM")});
        row("ctrl+z", "Ctrl+Z", "25", {QStringLiteral("I:正确答案 ANSWER")});
        row("the limit reached", "ANSWER Enter", "1",
            {QStringLiteral("I:真聪明! 答对了!"), QStringLiteral("A:已经做了1道题了,休息吧.")});
        row("typing says nothing", "7 8 Backspace", "25", {});
    }
    void actionsAreSpoken() {
        QFETCH(QString, script);
        QFETCH(QString, limit);
        QFETCH(QStringList, spoken);
        TForm1& f = form();
        f.lbledt1->setText(limit);
        f.lbledt1->setFocus();
        play(QStringLiteral("End"));
        f.edt1->setFocus();
        useSpeaker(Voice::Mandarin);
        f.R1->trigger();
        m_log.said.clear();
        const int announced = m_announcer->count();
        const int pausesBefore = m_pauses.pauses;
        const QString answerBefore = answer();

        play(script);
        QTest::qWait(20);

        QStringList heard;
        for (const Utterance& u : m_log.said)
            heard << (u.mode == Mode::Interrupt ? QStringLiteral("I:") : QStringLiteral("A:")) +
                         u.text;
        for (QString& s : spoken)
            s.replace(QStringLiteral("PROBLEM"), spokenProblem())
                .replace(QStringLiteral("ANSWER"), answerBefore);
        QCOMPARE(heard, spoken);
        // A verdict is handed over before the next problem's pauses.
        if (!m_log.said.empty() && m_log.said[0].text.contains(QStringLiteral("答")))
            QCOMPARE(m_log.said[0].pausesBefore, pausesBefore);
        // The screen reader is not told the same a second time.
        QCOMPARE(m_announcer->count(), announced);
        QCOMPARE(focusName(), QStringLiteral("edt1"));
    }

    // Without a Mandarin voice (or any speech) the command still switches on, one box
    // tells the parent what to install, nothing is spoken and the drill and the screen
    // reader go on.
    void withoutAVoiceTheParentIsTold_data() {
        QTest::addColumn<Voice>("voice");
        QTest::addColumn<QString>("message");
        QTest::newRow("no Mandarin voice")
            << Voice::Missing
            << QStringLiteral("找不到说普通话的声音，题目和对错读不出来。\nINSTALL HINT");
        QTest::newRow("no speech service")
            << Voice::NoSpeech
            << QStringLiteral("连接不上系统的语音服务，题目和对错读不出来。\nINSTALL HINT");
    }
    void withoutAVoiceTheParentIsTold() {
        QFETCH(Voice, voice);
        QFETCH(QString, message);
        useSpeaker(voice);
        form().R1->trigger();
        QVERIFY(form().R1->isChecked());
        QCOMPARE(m_reporter->messages, QStringList{message});
        QVERIFY(m_reporter->errors.isEmpty());
        QVERIFY(!m_log.open);

        const int announced = m_announcer->count();
        const int logBefore = logLines();
        form().edt1->setFocus();
        play(QStringLiteral("ANSWER Enter"));
        QTest::qWait(20);
        QCOMPARE(problemsSet(logBefore), 1);
        QVERIFY(m_log.said.empty());
        QCOMPARE(m_announcer->count(), announced + 1);
        QCOMPARE(m_reporter->messages.size(), 1);

        // Once a voice is there, switching off and on again finds it.
        form().R1->trigger();
        useSpeaker(Voice::Mandarin);
        form().R1->trigger();
        QCOMPARE(m_log.said.size(), std::size_t{1});
        QCOMPARE(m_reporter->messages.size(), 1);
    }
};

QTEST_MAIN(Form1ReadAloudTest)
#include "form1_read_aloud_test.moc"
