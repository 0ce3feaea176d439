// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class Document;

/// Work asked for on the command line and done on a document without a window: --check today;
/// each further verb is one more row of the table in verbs.cpp.
namespace verbs {

struct Result
{
    /// The process's exit status: 0 done, 1 refused or failed.
    int status = 0;
    /// For standard output, and for standard error.
    QString output;
    QString errors;
};

struct Verb
{
    /// The option that asks for it: "check" is --check.
    QString name;
    /// The name of the option's value ("file" for a file to read); empty when it takes none.
    QString valueName;
    QString description;
    /// It writes the data: it needs the folder's lock, and where a copy on this computer holds
    /// the folder, that copy's document does the work (its window shows the outcome at once).
    /// A verb that only reads runs here, takes no lock and disturbs no running copy.
    bool changesData = false;
    /// Does the work. The document is not loaded yet when the work is done in this process
    /// (isOpen() false: load, change, save), and is the one a window shows when a running copy
    /// does it (its changes then reach the recovery copy and the next save as the user's do).
    std::function<Result(Document &document, const QString &value)> run;
    /// The value names a file, read against the working directory of the start that asked for
    /// it, before the verb may be handed to a copy that runs elsewhere.
    bool valueIsPath = false;
    /// Work that waits on the network, done in this process with the event loop running: it
    /// calls done once, when it is over. Where it is set, run is only the work a running copy
    /// does when the verb is handed to it (which must not wait).
    std::function<void(Document &document, const QString &value, std::function<void(const Result &)> done)> runHere = {};
};

const QList<Verb> &all();
/// Adds a row from a layer above this one (the formats of other programs); a name already
/// there is kept as it is.
void add(const Verb &verb);
/// The verb's value as the verb reads it: a file named relative to workingFolder made absolute,
/// a trailing "/" (a folder to fill) kept.
QString resolvedValue(const Verb &verb, const QString &value, const QString &workingFolder);
/// The verb of that name, or none.
const Verb *find(const QString &name);

/// Does the verb for this start: here, or by the copy that holds the folder.
Result run(Document &document, const Verb &verb, const QString &value);
/// The same for a verb that may wait on the network (runHere): done gets the result, at once or
/// once the event loop has done the work.
void start(Document &document, const Verb &verb, const QString &value, const std::function<void(const Result &)> &done);

/// The line that hands a verb to the copy holding the folder, and the answer to such a line,
/// read back by fromAnswer.
QByteArray request(const Verb &verb, const QString &value);
/// The answer goes to reply, at once, or once the work is done where the window has taken the
/// verb over (Document::takeOverVerb).
void answer(Document &document, const QByteArray &request, const std::function<void(const QByteArray &)> &reply);
QByteArray answerText(const Result &result);
Result fromAnswer(const QByteArray &answer);

/// --check: one line per section with its number of records, or what is wrong with the file.
/// Reads the file without writing anything beside it.
Result check(const QString &dataPath);

} // namespace verbs
