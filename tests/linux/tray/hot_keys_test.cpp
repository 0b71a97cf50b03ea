// The global hot key on a real X server: the key reaches the program whatever Num Lock says, a key
// that another client holds is quietly not ours, and keys are given back when replaced.
#include <QApplication>
#include <QTest>
#include <X11/keysym.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "desktop_harness.h"
#include "linux/tray/x11_hot_keys.h"

namespace tarvex::qt::test {
namespace {

constexpr int kF7 = 7;
constexpr int kF8 = 8;
constexpr int kF9 = 9;
constexpr int kQuietMilliseconds = 400;

// The error box, as the texts it was asked to show.
class ShownTexts final : public MessageBoxes {
 public:
  BoxAnswer Show(const std::string& text, const std::string&, BoxKind) override {
    texts.push_back(text);
    return BoxAnswer::kOk;
  }
  std::vector<std::string> texts;
};

}  // namespace

class HotKeysTest : public QObject {
  Q_OBJECT

 private:
  std::vector<int> pressed_;
  ShownTexts failures_;
  std::unique_ptr<X11HotKeys> keys_;

  void Press(const char* key) { Xdotool({"key", key}); }

 private slots:
  void init() {
    pressed_.clear();
    failures_.texts.clear();
    keys_ = std::make_unique<X11HotKeys>(
        [this](int id) {
          pressed_.push_back(id);
          if (id == 13) throw std::runtime_error("restore failed");
        },
        FailureSink(failures_));
  }
  void cleanup() { keys_.reset(); }

  void keyReachesProgramWithAndWithoutLocks() {
    keys_->Register(kAppHotKeyId, kF7);
    Press("F7");
    QTRY_COMPARE(pressed_, std::vector<int>{kAppHotKeyId});

    Press("Num_Lock");
    Press("F7");
    Press("Caps_Lock");
    Press("F7");
    Press("Num_Lock");
    Press("F7");
    Press("Caps_Lock");
    QTRY_COMPARE(pressed_.size(), std::size_t{4});

    // Other function keys are not ours.
    Press("F6");
    QTest::qWait(kQuietMilliseconds);
    QCOMPARE(pressed_.size(), std::size_t{4});
  }

  void keyHeldByAnotherClientIsNotOurs() {
    OtherClient other;
    QVERIFY(other.GrabKey(XK_F8));
    keys_->Register(kAppHotKeyId, kF8);  // must not throw
    Press("F8");
    Press("Num_Lock");
    Press("F8");  // nor does a half registration answer with Num Lock on
    Press("Num_Lock");
    QTest::qWait(kQuietMilliseconds);
    QVERIFY(pressed_.empty());
  }

  void replacedAndUnregisteredKeysAreGivenBack() {
    OtherClient other;
    keys_->Register(kAppHotKeyId, kF7);
    QVERIFY(!other.GrabKey(XK_F7));
    keys_->Register(kAppHotKeyId, kF9);
    QVERIFY(other.GrabKey(XK_F7));
    other.UngrabKey(XK_F7);
    Press("F9");
    QTRY_COMPARE(pressed_, std::vector<int>{kAppHotKeyId});

    keys_->Unregister(kAppHotKeyId);
    QVERIFY(other.GrabKey(XK_F9));
    other.UngrabKey(XK_F9);

    keys_->Register(kAppHotKeyId, kF9);
    keys_.reset();  // the registration ends with the program
    QVERIFY(other.GrabKey(XK_F9));
  }

  void failureOfTheHandlerGoesToTheFailureSink() {
    keys_->Register(13, kF7);
    Press("F7");
    QTRY_COMPARE(failures_.texts, std::vector<std::string>{"restore failed"});
    Press("F7");  // and the key keeps working
    QTRY_COMPARE(pressed_, (std::vector<int>{13, 13}));
  }
};

}  // namespace tarvex::qt::test

QTEST_MAIN(tarvex::qt::test::HotKeysTest)
#include "hot_keys_test.moc"
