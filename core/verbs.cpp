// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verbs.h"

#include "core/document.h"
#include "store/datafilereader.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace verbs {

namespace {

const char *const kSectionNames[kSectionCount] = {"Websites", "E-mail contacts", "Notes", "To-dos"};

QString folderOf(Document &document)
{
    return QDir::toNativeSeparators(QFileInfo(document.path()).absolutePath());
}

Result refused(const QString &why)
{
    return {1, QString(), why + QLatin1Char('\n')};
}

QList<Verb> &table()
{
    static QList<Verb> rows = {
        {QStringLiteral("check"), QString(),
         QStringLiteral("Print the number of records of each section, or what is wrong with the "
                        "data file, and end (status 1 when it is damaged)."),
         false, [](Document &document, const QString &) { return check(document.path()); }},
    };
    return rows;
}

} // namespace

const QList<Verb> &all()
{
    return table();
}

void add(const Verb &verb)
{
    if (!find(verb.name))
        table().append(verb);
}

QString resolvedValue(const Verb &verb, const QString &value, const QString &workingFolder)
{
    if (!verb.valueIsPath || value.isEmpty())
        return value;
    QString path = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(value));
    if (value.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

const Verb *find(const QString &name)
{
    for (const Verb &verb : all()) {
        if (verb.name == name)
            return &verb;
    }
    return nullptr;
}

namespace {

/// Claims the folder for a verb that writes: none when this process may do the work, else what
/// the start answers (refused, or what the copy holding the folder did).
std::optional<Result> claimOrHandOver(Document &document, const Verb &verb, const QString &value)
{
    switch (document.claimFolder()) {
    case InstanceGuard::Claim::Ours:
        return std::nullopt;
    case InstanceGuard::Claim::Unguarded:
        return refused(QStringLiteral("The data in \"%1\" cannot be locked, so it is left as it is.")
                           .arg(folderOf(document)));
    case InstanceGuard::Claim::HeldElsewhere:
        return refused(QStringLiteral("Quillet is already running on the computer \"%1\" with the data "
                                      "in \"%2\", so it is left as it is.")
                           .arg(document.guard().holderHost(), folderOf(document)));
    case InstanceGuard::Claim::HeldHere:
        break;
    }
    const std::optional<QByteArray> answer = document.guard().askRunningCopy(request(verb, value));
    if (!answer)
        return refused(QStringLiteral("Quillet is already running with the data in \"%1\", but it "
                                      "does not answer.").arg(folderOf(document)));
    return fromAnswer(*answer);
}

} // namespace

Result run(Document &document, const Verb &verb, const QString &value)
{
    if (!verb.changesData)
        return verb.run(document, value);
    if (std::optional<Result> elsewhere = claimOrHandOver(document, verb, value))
        return *elsewhere;
    return verb.run(document, value);
}

void start(Document &document, const Verb &verb, const QString &value, const std::function<void(const Result &)> &done)
{
    if (!verb.runHere)
        return done(run(document, verb, value));
    if (verb.changesData) {
        if (std::optional<Result> elsewhere = claimOrHandOver(document, verb, value))
            return done(*elsewhere);
    }
    verb.runHere(document, value, done);
}

QByteArray request(const Verb &verb, const QString &value)
{
    return "run " + verb.name.toUtf8() + ' ' + value.toUtf8().toPercentEncoding() + '\n';
}

void answer(Document &document, const QByteArray &request, const std::function<void(const QByteArray &)> &reply)
{
    const QList<QByteArray> words = (request.endsWith('\n') ? request.chopped(1) : request).split(' ');
    const Verb *verb = words.size() == 3 && words[0] == "run" ? find(QString::fromUtf8(words[1])) : nullptr;
    if (!verb) {
        reply(answerText(refused(QStringLiteral("This copy of Quillet does not know that request."))));
        return;
    }
    const QString value = QString::fromUtf8(QByteArray::fromPercentEncoding(words[2]));
    if (const Document::HandedVerb &takenOver = document.takenOverVerb(verb->name)) {
        takenOver(value, [reply](const Result &result) { reply(answerText(result)); });
        return;
    }
    reply(answerText(verb->run(document, value)));
}

QByteArray answerText(const Result &result)
{
    return QByteArray::number(result.status) + '\n' + result.output.toUtf8().toPercentEncoding() + '\n'
           + result.errors.toUtf8().toPercentEncoding() + '\n';
}

Result fromAnswer(const QByteArray &answer)
{
    const QList<QByteArray> lines = answer.split('\n');
    bool number = false;
    const int status = lines.value(0).toInt(&number);
    if (lines.size() < 3 || !number)
        return refused(QStringLiteral("The running copy of Quillet gave an answer that makes no sense."));
    return {status, QString::fromUtf8(QByteArray::fromPercentEncoding(lines[1])),
            QString::fromUtf8(QByteArray::fromPercentEncoding(lines[2]))};
}

Result check(const QString &dataPath)
{
    Result result;
    if (!QFileInfo::exists(dataPath) && !QFileInfo(dataPath).isSymLink()) {
        for (const char *name : kSectionNames)
            result.output += QStringLiteral("%1: 0\n").arg(QLatin1String(name));
        return result;
    }
    ParsedDataFile parsed;
    FileError error;
    if (!parseDataFileAt(dataPath, &parsed, &error))
        return refused(QStringLiteral("Your saved data could not be read: %1.").arg(error.description));
    if (!parsed.problems.isEmpty())
        return refused(QStringLiteral("Your saved data could not be read completely. %1")
                           .arg(parsed.problems.join(QLatin1Char(' '))));
    for (int i = 0; i < kSectionCount; ++i)
        result.output += QStringLiteral("%1: %2\n").arg(QLatin1String(kSectionNames[i])).arg(parsed.content.sections[size_t(i)].size());
    return result;
}

} // namespace verbs
