// The terminal panel under the editor: a row of buttons over the console view, the state under
// it.
#pragma once

#include <QWidget>

class DeviceSession;
class QCheckBox;
class QLabel;
class QPushButton;
class TerminalScreen;
class TerminalView;
enum class LinkState;

class TerminalPanel : public QWidget {
    Q_OBJECT
  public:
    TerminalPanel(DeviceSession& session, QWidget* parent);

    TerminalView* view() const { return view_; }
    // Enables the buttons that make sense in this state.
    void show_state(LinkState state, bool transferring, const QString& text);
    void set_choices(bool by_xmodem, bool run_after);

  private:
    DeviceSession& session_;
    TerminalView* view_;
    QLabel* state_;
    QPushButton* send_;
    QPushButton* run_;
    QPushButton* stop_;
    QPushButton* disconnect_;
    QCheckBox* xmodem_;
    QCheckBox* run_after_;
    bool ran_locally_ = false; // the panel's last use was a local run, so "closed" means it ended
};
