// The command line through Qt's parser. No application object exists yet, so nothing here
// may need a display.
#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

#include <cstdio>

#include "framework/platform/qt/qt_platform.h"

namespace {

void Print(FILE* to, const std::string& text) {
    std::fputs(text.c_str(), to);
    std::fflush(to);
}

}  // namespace

TCommandLine ParseCommandLine(int argc, char** argv, const TCommandLineSyntax& syntax) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromStdString(syntax.Description));
    const QCommandLineOption help(QStringList{"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version(QStringList{"v", "version"}, "Show the program's version and exit.");
    parser.addOption(help);
    parser.addOption(version);
    std::vector<QCommandLineOption> options;
    for (const TCommandLineOption& o : syntax.Options) {
        options.emplace_back(QString::fromStdString(o.Name), QString::fromStdString(o.Description),
                             QString::fromStdString(o.ValueName));
        parser.addOption(options.back());
    }
    if (!syntax.ArgumentName.empty())
        parser.addPositionalArgument(QString::fromStdString(syntax.ArgumentName),
                                     QString::fromStdString(syntax.ArgumentDescription),
                                     QString::fromStdString("[" + syntax.ArgumentName + "]"));

    TCommandLine result;
    // The parser names the program only when an application object exists; the usage
    // line is ours.
    std::string text = parser.helpText().toStdString();
    const std::size_t firstBreak = text.find('\n');
    std::string usage = "Usage: " + syntax.Program + " [options]";
    if (!syntax.ArgumentName.empty()) usage += " [" + syntax.ArgumentName + "]";
    result.Usage = usage + (firstBreak == std::string::npos ? "\n" : text.substr(firstBreak));

    QStringList args;
    for (int i = 0; i < argc; ++i) args << QFile::decodeName(argv[i]);
    auto fail = [&](const std::string& why) {
        Print(stderr, syntax.Program + ": " + why + "\n" + result.Usage);
        result.Exit = true;
        result.ExitStatus = 2;
        return result;
    };
    if (!parser.parse(args)) return fail(parser.errorText().toStdString());
    if (parser.isSet(help)) {
        Print(stdout, result.Usage);
        result.Exit = true;
        return result;
    }
    if (parser.isSet(version)) {
        Print(stdout, syntax.VersionText + "\n");
        result.Exit = true;
        return result;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > syntax.MaxArguments)
        return fail(syntax.ArgumentName.empty() ? "no arguments are taken"
                                                : "only one " + syntax.ArgumentName + " can be given");
    for (const QString& a : positional) result.Arguments.push_back(QFile::encodeName(a).toStdString());
    for (std::size_t i = 0; i < options.size(); ++i)
        if (parser.isSet(options[i]))
            result.Values[syntax.Options[i].Name] =
                syntax.Options[i].ValueName.empty() ? std::string() : parser.value(options[i]).toStdString();
    return result;
}
