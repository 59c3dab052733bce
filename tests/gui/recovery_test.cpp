// Crash recovery: unsaved text kept after a pause, removed once safe, offered after a crash.
#include "app/commands.h"
#include "app/menu_ids.h"
#include "base/file_io.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/recovery.h"
#include "documents/recovery_file.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <QtTest/QTest>

#include <sys/stat.h>

#include <unistd.h>

namespace {

constexpr long gone_pid = 999999999; // beyond any process number

class RecoveryTest : public AppFixture {
  protected:
    // A prepared data folder, so start-up has nothing else to say than the recovery offer.
    void start() { start_with_intro(""); }
    std::string folder() const { return data_folder() + "recovery/"; }
    std::vector<RecoveryFile> kept() const { return read_recovery_folder(folder()); }
    void type(const std::string& text) {
        sci_send(app->editor, Sci::SCI_DOCUMENTEND);
        sci_add_text(app->editor, text);
    }
    bool modified() const { return sci_send(app->editor, Sci::SCI_GETMODIFY) != 0; }
    const Document& current() const { return app->documents.documents[app->documents.current]; }
    // A recovery file as a run that was killed leaves it.
    void leave(const std::string& name, const RecoveryEntry& entry) {
        QDir().mkpath(QString::fromStdString(folder()));
        write_file(folder() + name, encode_recovery(entry));
    }
    // The last document under `document_path` (recovered ones come after the first documents).
    int find(const std::string& document_path) const {
        for (int i = app->documents.count() - 1; i >= 0; --i)
            if (app->documents.documents[i].path == document_path) return i;
        return -1;
    }
};

} // namespace

TEST_F(RecoveryTest, ModifiedTextIsKeptAfterAPauseAndRemovedWhenSaved) {
    start();
    const std::string file = path("prog.bas");
    write_file(file, "10 PRINT 1\r\n");
    open_files(*app, file);
    EXPECT_TRUE(kept().empty());
    type("20 PRINT \"x\"");
    process_events();
    // The pause timer runs; nothing is written on the key itself.
    EXPECT_TRUE(app->recovery.timer->isActive());
    EXPECT_TRUE(kept().empty());
    keep_recovery_now(*app); // what the timer does when it runs out
    std::vector<RecoveryFile> files = kept();
    ASSERT_EQ(files.size(), 1u);
    ASSERT_TRUE(files[0].entry);
    EXPECT_EQ(files[0].entry->path, file);
    EXPECT_FALSE(files[0].entry->untitled);
    EXPECT_EQ(files[0].entry->text, "10 PRINT 1\r\n20 PRINT \"x\"");
    EXPECT_EQ(files[0].entry->pid, long(::getpid()));

    // More typing rewrites the same file.
    type("!");
    keep_recovery_now(*app);
    files = kept();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].entry->text.back(), '!');

    run_command(*app, menu_id::save);
    EXPECT_TRUE(kept().empty());
    EXPECT_TRUE(current().recovery_file.empty());
}

TEST_F(RecoveryTest, SwitchingKeepsThePendingTextAndClosingOrQuittingRemovesIt) {
    start();
    app->settings.confirm_before_exit = 0;
    type("10 PRINT \"one\"");
    new_document(*app);
    // The pause was cut short by the switch: the first document's text is kept all the same.
    ASSERT_EQ(kept().size(), 1u);
    type("10 PRINT \"two\"");
    keep_recovery_now(*app);
    ASSERT_EQ(kept().size(), 2u);
    for (const RecoveryFile& file : kept()) EXPECT_TRUE(file.entry->untitled);

    // Undone back to the save point: nothing left to recover for it.
    sci_send(app->editor, Sci::SCI_UNDO);
    ASSERT_FALSE(modified());
    EXPECT_EQ(kept().size(), 1u);

    // Closed without saving, and a normal end, remove them.
    type("x");
    keep_recovery_now(*app);
    requesters->answers = {Answer::No};
    close_with_prompt(*app, app->documents.current, 0);
    EXPECT_EQ(kept().size(), 1u);
    requesters->answers = {Answer::No};
    quit();
    EXPECT_TRUE(kept().empty());
}

TEST_F(RecoveryTest, RecoversDocumentsOfACrashedRunAndSkipsDamagedAndLiveOnes) {
    // Two documents, one for a path that no longer exists and one never saved; a torn, an
    // empty and a live process's file beside them.
    RecoveryEntry gone{gone_pid, 1765000000, false, path("deleted/gone.bas"),
                       std::string("10 PRINT \"a\"\r\n\0end", 18)};
    RecoveryEntry untitled{gone_pid, 1765000100, true, documents_folder + "untitled.bas",
                           "10 PRINT \"b\"\n"};
    RecoveryEntry live{1, 1765000200, false, path("live.bas"), "live"}; // process 1 runs
    leave("a.zrec", gone);
    leave("b.zrec", untitled);
    leave("live.zrec", live);
    const std::string torn = encode_recovery(gone);
    write_file(folder() + "torn.zrec", torn.substr(0, torn.size() - 3));
    write_file(folder() + "empty.zrec", "");

    requesters->answers = {Answer::Yes};
    start();
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].kind, "recovery");
    const std::string& text = requesters->shown[0].text;
    EXPECT_NE(text.find("gone.bas"), std::string::npos);
    EXPECT_NE(text.find("18 bytes"), std::string::npos);
    EXPECT_NE(text.find("untitled.bas"), std::string::npos);
    EXPECT_EQ(text.find("live.bas"), std::string::npos);

    const int first = find(gone.path);
    ASSERT_GE(first, 0);
    activate_document(*app, first);
    EXPECT_EQ(get_editor_text(app->editor), gone.text);
    EXPECT_TRUE(modified());
    EXPECT_FALSE(is_untitled(current()));
    const int second = find(untitled.path);
    ASSERT_GE(second, 0);
    activate_document(*app, second);
    EXPECT_EQ(get_editor_text(app->editor), untitled.text);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(is_untitled(current()));

    // The offered files are replaced by this run's own; the others are left alone.
    EXPECT_FALSE(file_exists(folder() + "a.zrec"));
    EXPECT_FALSE(file_exists(folder() + "b.zrec"));
    EXPECT_TRUE(file_exists(folder() + "live.zrec"));
    EXPECT_TRUE(file_exists(folder() + "torn.zrec"));
    int own = 0;
    for (const RecoveryFile& file : kept())
        if (file.entry && file.entry->pid == long(::getpid())) ++own;
    EXPECT_EQ(own, 2);

    // Saving the one whose folder is gone fails in a box and keeps its text recoverable.
    activate_document(*app, first);
    run_command(*app, menu_id::save);
    EXPECT_EQ(requesters->shown.back().title, "Save");
    EXPECT_TRUE(modified());
    EXPECT_FALSE(current().recovery_file.empty());
}

TEST_F(RecoveryTest, DiscardRemovesAndLaterKeeps) {
    leave("a.zrec", RecoveryEntry{gone_pid, 1765000000, false, path("a.bas"), "A"});
    requesters->answers = {Answer::Cancel};
    start();
    EXPECT_EQ(app->documents.count(), 1);
    EXPECT_TRUE(file_exists(folder() + "a.zrec"));
    stop();

    requesters->answers = {Answer::No};
    start();
    EXPECT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(app->documents.count(), 1);
    EXPECT_FALSE(file_exists(folder() + "a.zrec"));
    stop();

    start(); // nothing left: no dialog
    EXPECT_TRUE(requesters->shown.empty());
}

// A real editor process types, is killed with SIGKILL, and the next start recovers its text.
TEST_F(RecoveryTest, TextOfAKilledProcessIsRecoveredByteForByte) {
    const std::string file = path("killed.bas");
    write_file(file, "10 REM caf\xE9\r\n");
    const std::string typed_file = path("typed.txt");

    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(path("killed-home")));
    // The data folder of the process is the one this test's editor starts with.
    QString data_home = QString::fromStdString(app_data_folder);
    data_home.chop(1);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data_home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(path("")));
    editor.setProcessEnvironment(environment);
    editor.start(QStringLiteral(ZELL_TYPING_PROGRAM),
                 {QStringLiteral("20 PRINT \"typed\""), QString::fromStdString(typed_file),
                  QString::fromStdString(file)});
    ASSERT_TRUE(editor.waitForStarted(10000));

    // Wait for the typed text and for the recovery file written after the pause.
    QElapsedTimer waited;
    waited.start();
    std::vector<RecoveryFile> files;
    while (waited.elapsed() < 60000 && editor.state() == QProcess::Running) {
        files = kept();
        if (file_exists(typed_file) && !files.empty() && files[0].entry) break;
        editor.waitForFinished(50);
    }
    ASSERT_EQ(editor.state(), QProcess::Running) << editor.readAllStandardError().toStdString();
    ASSERT_EQ(files.size(), 1u);
    editor.kill(); // SIGKILL: no shutdown code runs
    ASSERT_TRUE(editor.waitForFinished(10000));
    EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit);

    const std::string typed = read_file(typed_file);
    EXPECT_EQ(typed.substr(0, 14), "10 REM caf\xE9\r\n2");
    requesters->answers = {Answer::Yes};
    start();
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_NE(requesters->shown[0].text.find("killed.bas"), std::string::npos);
    const int index = find(file);
    ASSERT_GE(index, 0);
    activate_document(*app, index);
    EXPECT_EQ(get_editor_text(app->editor), typed);
    EXPECT_TRUE(modified());
    EXPECT_EQ(read_file(file), "10 REM caf\xE9\r\n"); // the file itself was never touched
}

TEST_F(RecoveryTest, RecoveryCopiesAreForTheUserAlone) {
    // A folder left by an older run with loose bits, and a permissive umask.
    QDir().mkpath(QString::fromStdString(folder()));
    ASSERT_EQ(::chmod(folder().c_str(), 0755), 0);
    const mode_t old_mask = ::umask(022);
    start();
    type("10 PRINT \"private\"");
    keep_recovery_now(*app);
    ::umask(old_mask);
    ASSERT_EQ(kept().size(), 1u);
    struct stat info {};
    ASSERT_EQ(::stat(folder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    ASSERT_EQ(::stat(kept()[0].file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(RecoveryTest, RecoverKeepsTheOldCopyUntilTheNewOneIsOnDisk) {
    start();
    const RecoveryEntry entry{gone_pid, 1765000000, false, path("a.bas"), "10 PRINT \"only\""};
    leave("a.zrec", entry);
    app->file_write_hooks.before_chunk = [](std::size_t, std::size_t) {
        return std::string("No space left on device");
    };
    requesters->answers = {Answer::Yes};
    offer_recovery(*app);
    ASSERT_GE(find(entry.path), 0);
    // The new copy could not be written: the old one is still there, whole.
    std::vector<RecoveryFile> files = kept();
    ASSERT_EQ(files.size(), 1u);
    ASSERT_TRUE(files[0].entry);
    EXPECT_EQ(files[0].entry->text, entry.text);

    // Once there is room, that very copy is rewritten as this run's, and no second one appears.
    app->file_write_hooks = {};
    type("!");
    keep_recovery_now(*app);
    files = kept();
    ASSERT_EQ(files.size(), 1u);
    ASSERT_TRUE(files[0].entry);
    EXPECT_EQ(files[0].entry->pid, long(::getpid()));
    EXPECT_EQ(files[0].entry->text, entry.text + "!");
}

TEST_F(RecoveryTest, SteadyTypingWithoutPausesIsKeptAllTheSame) {
    start();
    // Typing never pauses long enough for the pause timer; only the longest wait can keep it.
    app->recovery.timer->setInterval(60 * 60 * 1000);
    app->recovery.longest_timer->setInterval(200);
    for (int key = 0; key < 1000 && kept().empty(); ++key) {
        type("x");
        QTest::qWait(10);
    }
    ASSERT_EQ(kept().size(), 1u);
    EXPECT_EQ(kept()[0].entry->text.substr(0, 1), "x");
    // The next change starts the longest wait again.
    EXPECT_FALSE(app->recovery.longest_timer->isActive());
    type("y");
    process_events();
    EXPECT_TRUE(app->recovery.longest_timer->isActive());
}

TEST_F(RecoveryTest, ASafetyCopyOfAKilledSaveIsOfferedAtStart) {
    // What an in-place save killed halfway leaves: the file cut to the new size with part of
    // the new text, and beside it the old contents under the dead process's number.
    const std::string file = path("linked.bas");
    const std::string old_text = "10 PRINT \"before\"\r\n20 END\r\n";
    write_file(file, "10 PRINT \"af");
    const std::string copy = path(".linked.bas.zell-backup-" + std::to_string(gone_pid));
    write_file(copy, old_text);
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT END ");
    write_file(data_folder() + "newfile.txt", "");
    requesters->answers = {Answer::Yes};
    AppFixture::start({file});
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].kind, "recovery");
    EXPECT_EQ(requesters->shown[0].title, "Recover interrupted saves");
    EXPECT_NE(requesters->shown[0].text.find(file + "  ("), std::string::npos);
    EXPECT_NE(requesters->shown[0].text.find(std::to_string(old_text.size()) + " bytes)"),
              std::string::npos);
    const int index = find(file);
    ASSERT_GE(index, 0);
    activate_document(*app, index);
    EXPECT_EQ(get_editor_text(app->editor), old_text);
    EXPECT_TRUE(modified());
    // Kept as a recovery copy before the safety copy goes; Save puts the text back unasked.
    EXPECT_FALSE(file_exists(copy));
    EXPECT_EQ(kept().size(), 1u);
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), old_text);
    EXPECT_EQ(requesters->shown.size(), 1u);

    // Later stays: the copy is offered again at the next start.
    stop();
    write_file(copy, old_text);
    requesters->answers = {Answer::Cancel};
    AppFixture::start({file});
    EXPECT_EQ(requesters->shown.size(), 1u);
    EXPECT_TRUE(file_exists(copy));
}
