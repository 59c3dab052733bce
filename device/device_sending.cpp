// Sending the current program to the board: the checks, the transfer and its end.
#include "device/device_session.h"

#include "base/folders.h"
#include "base/settings.h"
#include "base/text_conversion.h"
#include "device/device_link.h"
#include "device/program_sender.h"
#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/merge.h"
#include "ui/requesters.h"

#include <QProgressDialog>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int prompt_wait_ms = 2000; // how long typed keys wait for the prompt after Ctrl-C

// The 1-based line of a byte offset; CR LF, LF and a lone CR each end a line.
long line_of_offset(std::string_view text, std::size_t offset) {
    long line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    return line;
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

// ---- sending a program ----

bool DeviceSession::can_send() const {
    return state_ == LinkState::connected && link_ && !transfer_ && !job_;
}

bool DeviceSession::can_stop() const {
    return (state_ == LinkState::connected && !transfer_) || state_ == LinkState::local;
}

void DeviceSession::send_program(bool by_xmodem, bool run_after) {
    if (state_ != LinkState::connected || !link_) {
        context_.requesters.message(
            "Send program", "No board is connected. Use Connect to Maximite first.", Buttons::Ok);
        return;
    }
    if (transfer_) return;
    const Document* document = context_.documents.current_document();
    if (!document || !context_.editor) return;
    context_.settings.send_by_xmodem = by_xmodem ? 1 : 0;
    context_.settings.run_after_send = run_after ? 1 : 0;
    std::string text = sci_text(context_.editor);
    // The board cannot read #INCLUDE files from this computer: they go merged in.
    bool merged = false;
    if (has_include_lines(text)) {
        MergeResult result = merge_includes(text, document->path, context_.folders.include,
                                            disk_include_files(), "\n");
        if (!result.ok) {
            context_.requesters.message(
                "Send program",
                "The program's #INCLUDE files could not be merged: " + result.reason + " (" +
                    result.file + ", line " + std::to_string(result.line) + "). Nothing was sent.",
                Buttons::Ok);
            return;
        }
        text = std::move(result.text);
        merged = true;
    }
    if (before_send && !before_send(text)) return;
    std::string program;
    if (by_xmodem) {
        // Into program memory the board drops zero bytes; characters above U+00FF go as "?".
        const UnencodableCharacters wide = find_unencodable(text);
        const std::size_t zeros =
            static_cast<std::size_t>(std::count(text.begin(), text.end(), '\0'));
        if (wide.count + zeros > 0) {
            std::size_t first =
                std::min(wide.count ? std::size_t(wide.first) : text.size(), text.find('\0'));
            std::string what;
            if (wide.count)
                what += std::to_string(wide.count) +
                        " character(s) the board cannot show (they will arrive as \"?\")";
            if (zeros)
                what += std::string(what.empty() ? "" : " and ") + std::to_string(zeros) +
                        " zero byte(s)";
            Answer answer = context_.requesters.message(
                "Send program",
                "The program holds " + what + ", the first on line " +
                    std::to_string(line_of_offset(text, first)) + ". Send it anyway?",
                Buttons::YesNo);
            if (answer != Answer::Yes) return;
        }
        program = utf8_to_bytes(text);
    } else {
        AutosaveCheck check = check_for_autosave(text);
        if (check.long_lines > 0) {
            context_.requesters.message(
                "Send program",
                "Line " + std::to_string(check.first_long_line) +
                    " is too long for the board: it takes lines of at most 254 characters "
                    "(AUTOSAVE would stop with \"Not enough memory\" and run the rest as "
                    "commands). " +
                    std::to_string(check.long_lines) + " line(s) are too long; the longest has " +
                    std::to_string(check.longest) + " characters. Nothing was sent.",
                Buttons::Ok);
            return;
        }
        if (check.dropped > 0) {
            Answer answer = context_.requesters.message(
                "Send program",
                "The program holds " + std::to_string(check.dropped) +
                    " character(s) the board does not keep (anything but printable ASCII and "
                    "TAB: accented letters, symbols, control characters), the first on line " +
                    std::to_string(check.first_dropped_line) +
                    ". Some of them would end AUTOSAVE early. Send the program without them?",
                Buttons::YesNo);
            if (answer != Answer::Yes) return;
        }
        program = autosave_program(text);
    }
    // Both ways the program lands in program memory, as the text it was sent as.
    if (program_memory > 0 && program.size() > program_memory) {
        context_.requesters.message(
            "Send program",
            "The program is " + std::to_string(program.size()) +
                " bytes; the connected board's program memory holds " +
                std::to_string(program_memory / 1024) +
                " KB. The board would stop with \"Not enough memory\". Nothing was sent.",
            Buttons::Ok);
        return;
    }
    transfer_ = std::make_unique<Transfer>();
    transfer_->run_after = run_after;
    last_sent_path_ = document->path;
    last_sent_text_ = merged || text.find("' ==== start of ") != std::string::npos ? text : "";
    last_sent_merged_ = merged;
    capture_.reset();
    awaiting_prompt_ = run_at_prompt_ = false;
    held_keys_.clear();
    if (by_xmodem) {
        transfer_->sender = ProgramSender::by_xmodem(std::move(program), xmodem_timing,
                                                     answer_timeout_ms, now_ms());
    } else {
        AutosaveOptions options;
        options.char_delay_ms = context_.settings.char_delay;
        options.line_delay_ms = context_.settings.line_delay;
        options.answer_timeout_ms = answer_timeout_ms;
        options.quiet_ms = quiet_ms;
        transfer_->sender = ProgramSender::by_autosave(std::move(program), options, now_ms());
    }
    progress_ = new QProgressDialog(
        QStringLiteral("Sending %1 to %2...").arg(q(document->file_name), q(port_)),
        QStringLiteral("Cancel"), 0, 1000, context_.window);
    progress_->setObjectName(QStringLiteral("send_progress"));
    progress_->setWindowTitle(QStringLiteral("Send program"));
    // Not modal: the user may go on typing while the program goes out.
    progress_->setWindowModality(Qt::NonModal);
    progress_->setMinimumDuration(300);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancel_transfer(); });
    set_progress(0);
    update_status();
    flush_transfer();
}

int DeviceSession::transfer_progress() const {
    return transfer_ ? transfer_->sender->progress() : 0;
}

void DeviceSession::set_progress(int value) {
    if (progress_ && progress_->value() != value) progress_->setValue(value);
}

void DeviceSession::transfer_bytes(const QByteArray& bytes) {
    ProgramSender& sender = *transfer_->sender;
    std::string shown = sender.receive(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), now_ms());
    if (!shown.empty()) {
        QByteArray text(shown.data(), static_cast<qsizetype>(shown.size()));
        show_output(text);
        watch_prompt(text);
    }
    flush_transfer();
}

void DeviceSession::transfer_tick() {
    if (!transfer_) {
        // Typed keys wait for the prompt, but not for ever: a prompt of the program's own
        // shows as silence after the board's last output.
        if (awaiting_prompt_ && (now_ms() - last_output_ms_ >= quiet_ms * 2 ||
                                 now_ms() - last_output_ms_ >= prompt_wait_ms))
            prompt_seen();
        if (awaiting_prompt_) transfer_timer_->start(transfer_poll_ms);
        return;
    }
    transfer_->sender->tick(now_ms());
    flush_transfer();
}

// Writes what the transfer has to send, and ends it when it is over.
void DeviceSession::flush_transfer() {
    if (!transfer_) return;
    ProgramSender& sender = *transfer_->sender;
    std::string out = sender.take_output();
    if (!out.empty()) {
        write(QByteArray(out.data(), static_cast<qsizetype>(out.size())));
        // A failed write reports the link lost at once, and that ends the transfer.
        if (!transfer_) return;
    }
    set_progress(transfer_progress());
    if (sender.over()) {
        finish_transfer(sender.ok(), sender.failure(), sender.failed_line());
        return;
    }
    std::int64_t wait = sender.next_tick(now_ms()) - now_ms();
    transfer_timer_->start(static_cast<int>(std::clamp<std::int64_t>(wait, 1, transfer_poll_ms)));
}

void DeviceSession::end_transfer() {
    transfer_timer_->stop();
    transfer_.reset();
    if (progress_) {
        progress_->disconnect(this);
        progress_->close();
        progress_->deleteLater();
    }
    update_status();
}

void DeviceSession::finish_transfer(bool ok, std::string failure, long failed_line) {
    bool run_after = transfer_ && transfer_->run_after;
    end_transfer();
    if (!ok) {
        if (failed_line > 0) {
            CapturedError at;
            at.line = failed_line;
            at.message = failure;
            jump_to_next_error_ = true;
            add_error(at);
        }
        context_.requesters.message("Send program", failure + " The document is unchanged.",
                                    Buttons::Ok);
        return;
    }
    if (run_after) run_program();
}

void DeviceSession::cancel_transfer() {
    if (!transfer_) return;
    transfer_->sender->cancel();
    std::string out = transfer_->sender->take_output();
    if (!out.empty()) write(QByteArray(out.data(), static_cast<qsizetype>(out.size())));
    end_transfer();
    context_.requesters.message("Send program",
                                "Sending was cancelled. The board keeps the program it had before.",
                                Buttons::Ok);
}
