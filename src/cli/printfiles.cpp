#include "cli/printfiles.h"

namespace maker {
namespace {

// The output of every run but the last word: each run finishes its output, the document only
// ends after the last.
class OneDocument : public SheetOutput {
public:
    explicit OneDocument(SheetOutput& output) : output_(output) {}
    bool printSheet(const DrawSheet& draw) override { return output_.printSheet(draw); }
    bool finish() override { return true; }
    QString target() const override { return output_.target(); }

private:
    SheetOutput& output_;
};

} // namespace

printing::RunEnd PrintFiles(const QList<PrintablePages>& files, const printing::RunChoices& choices,
                            SheetOutput& output)
{
    OneDocument document(output);
    printing::SilentProgress silent;
    for (const PrintablePages& file : files) {
        printing::RunRequest request;
        request.steps = file.steps;
        request.choices = choices;
        request.name = file.name;
        request.describe = file.describe;
        const printing::RunEnd end = printing::RunPrint(request, silent, document);
        if (end != printing::RunEnd::completed)
            return end;
    }
    return output.finish() ? printing::RunEnd::completed : printing::RunEnd::failed;
}

} // namespace maker
