// ShutdownSignals: SIGTERM, SIGINT and SIGHUP turned into a Qt signal on the UI thread.
#pragma once

#include <QObject>

class QSocketNotifier;

// One per program: the handlers only write a byte to a pipe (async-signal-safe); the read end
// wakes the event loop, which emits requested().
class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject* padre = nullptr);
    ~ShutdownSignals() override;

signals:
    void requested();

private:
    QSocketNotifier* notificador_ = nullptr;
};
