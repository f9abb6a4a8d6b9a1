#pragma once

// Independent items of work spread over worker processes.
//
// Many files are read and checked side by side in worker processes rather
// than in threads, so that a file that brings a reader down costs that file
// only. A worker is a fork of the calling process: it inherits what was
// prepared before (reference tables in memory, the party list, the error
// catalogue) and sends each result back through a pipe. A worker that dies on
// an item (a crash on a hostile file) costs that one item: it is reported
// lost and a new worker takes over the rest of the share.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace urn::datatool {

struct WorkerCallbacks {
    // Computes item i in a worker process; the bytes go back to the caller.
    std::function<QByteArray(qsizetype i)> work;
    // Receives item i's result in the calling process, in order of arrival.
    std::function<void(qsizetype i, QByteArrayView result)> take;
    // Item i gave no result: its worker ended while on it. `why` says how,
    // in Czech.
    std::function<void(qsizetype i, const QString& why)> lost;
};

// Runs items 0 .. count-1 over at most `jobs` workers, item i going to
// worker i mod jobs. Returns when every item was taken or lost. When no
// worker can be started, the items are worked in the calling process.
void runInWorkers(qsizetype count, int jobs, const WorkerCallbacks& callbacks);

} // namespace urn::datatool
