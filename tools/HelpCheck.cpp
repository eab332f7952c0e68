// Checks that the translated help is in step with the English (the test help/in-step runs it), or with
// --report lists each English source file with its checksum and how each translation of it stands, for a
// translator to copy the checksum into the page once it is translated again.
//
//     quavix_helpcheck [--report] HELP-FOLDER LANGUAGE...

#include "HelpInStep.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool report = !arguments.isEmpty() && arguments.first() == QLatin1String("--report");
    if (report)
        arguments.removeFirst();
    QTextStream out(stdout);
    if (arguments.isEmpty()) {
        QTextStream(stderr) << "usage: quavix_helpcheck [--report] HELP-FOLDER LANGUAGE...\n";
        return 2;
    }
    const QString folder = arguments.takeFirst();
    if (report) {
        for (const QString& line : quavix::HelpInStep::Report(folder, arguments))
            out << line << '\n';
        return 0;
    }
    const QStringList problems = quavix::HelpInStep::Problems(folder, arguments);
    for (const QString& problem : problems)
        out << problem << '\n';
    if (!problems.isEmpty()) {
        out << problems.size() << " problem(s): the help of " << arguments.join(' ')
            << " is out of step with the English; see the README, \"Translating the help\"\n";
        return 1;
    }
    out << "The help of " << arguments.join(' ') << " is in step with the English.\n";
    return 0;
}
