#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

// The start-up benchmark's probe (bench/startup.sh), in the programs it
// times: Quillet as its main starts it (quillet-probed) and the floor. Where
// the environment names a file in QUILLET_STARTUP_REPORT, it writes to it,
// in nanoseconds of the steady clock, when a window of the program's was
// first exposed and when the program's start was done.
class StartupProbe : public QObject {
public:
    StartupProbe();

    // The start is done (Quillet's first run finished; the floor shown and
    // painted): true when the report was asked for and written, and the
    // program is to end.
    bool done();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString path_;
    std::int64_t exposed_ = 0;
};
