// A generic Qt plugin that the start-up benchmark loads into the program it starts
// (QT_QPA_GENERIC_PLUGINS=velmorapaintprobe): once the first window has been painted it prints
// the time on the system's monotonic clock and ends the process, so that the program itself is
// measured exactly as it is built.

#include <QCoreApplication>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace velmora {
namespace {

class FirstPaintWatch final : public QObject {
 public:
  FirstPaintWatch() { QCoreApplication::instance()->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (seen_ || event->type() != QEvent::Paint || !object->isWidgetType() ||
        !static_cast<QWidget*>(object)->isWindow()) {
      return false;
    }
    seen_ = true;
    // The window paints first and its children follow in the same pass: the pass is over when
    // the event loop next turns.
    QTimer::singleShot(0, [] {
      const auto now = std::chrono::steady_clock::now().time_since_epoch();
      std::printf("%lld\n",
                  static_cast<long long>(
                      std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
      std::fflush(stdout);
      std::_Exit(0);
    });
    return false;
  }

 private:
  bool seen_ = false;
};

}  // namespace

class PaintProbePlugin final : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "paint_probe.json")

 public:
  QObject* create(const QString& /*key*/, const QString& /*parameters*/) override {
    return new FirstPaintWatch;
  }
};

}  // namespace velmora

#include "paint_probe.moc"
