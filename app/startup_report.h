#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

// For the start-up benchmark (bench/startup.sh): where the environment names
// a file in QUILLET_STARTUP_REPORT, the program writes to it, in nanoseconds
// of the steady clock, when its window was first exposed and when its first
// run finished, and then ends. Unset, it costs one look at the environment.
class StartupReport : public QObject {
public:
    StartupReport();

    // The first run has finished: true when the report was asked for and
    // written, and the program is to end.
    bool firstRunFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString path_;
    std::int64_t exposed_ = 0;
};
