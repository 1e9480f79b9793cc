#include "export/WorkbookApplication.h"

#include <stdlib.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "export/CellNumber.h"
#include "export/ExportTexts.h"
#include "export/WorkbookModel.h"
#include "export/WorkbookWriter.h"
#include "measure/Clock.h"

namespace lmr {

namespace {

struct AppState {
    WorkbookSettings settings;
    std::vector<std::shared_ptr<WorkbookModel>> workbooks;  // the last one is the active one
    bool visible = false;

    std::shared_ptr<SheetModel> activeSheet(const QString& member) const {
        if (workbooks.empty() || workbooks.back()->sheets.empty()) {
            throw AutomationError(NoObjectText(member));
        }
        return workbooks.back()->sheets.front();
    }
};

// Makes the folder and those above it; 0, or the errno of the failure.
int MakeFolder(const QString& dir) {
    if (dir.isEmpty()) return ENOENT;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(dir).toStdString()),
                                        ec);
    return ec ? ec.value() : 0;
}

// Whether a file can be made in the folder: 0, or the errno of the failure.
int ProbeWrite(const QString& dir) {
    QByteArray name = QFile::encodeName(QDir(dir).filePath(QStringLiteral(".lmr-XXXXXX")));
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return errno;
    ::close(fd);
    ::unlink(name.constData());
    return 0;
}

bool Is(const QString& name, const char* member) {
    return name.compare(QLatin1String(member), Qt::CaseInsensitive) == 0;
}

void ExpectNoArguments(const QString& name, const VariantList& args) {
    if (!args.empty()) throw AutomationError(BadArgumentsText(name));
}

std::int32_t IntegerArgument(const QString& name, const VariantList& args) {
    if (args.size() != 1 || !args[0].isInteger()) throw AutomationError(BadArgumentsText(name));
    return args[0].toInteger();
}

std::int32_t IntegerValue(const QString& name, const Variant& value) {
    if (!value.isInteger()) throw AutomationError(BadValueText(name));
    return value.toInteger();
}

CellRect RangeArgument(const QString& name, const VariantList& args) {
    if (args.size() != 1 || !args[0].isText()) throw AutomationError(BadArgumentsText(name));
    const std::optional<CellRect> rect = ParseRangeAddress(args[0].toText());
    if (!rect) throw AutomationError(BadArgumentsText(name));
    return *rect;
}

// The base of the objects below: only the members it knows; the rest is an unknown name.
class ModelObject : public AutomationObject {
public:
    std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                  const VariantList&) override {
        throw AutomationError(UnknownMemberText(name));
    }
    void setProperty(const QString& name, const Variant&) override {
        throw AutomationError(UnknownMemberText(name));
    }
    void callMethod(const QString& name) override {
        throw AutomationError(UnknownMemberText(name));
    }
};

class BorderObject final : public ModelObject {
public:
    BorderObject(std::shared_ptr<SheetModel> sheet, CellRect rect, BorderSide side)
        : sheet_(std::move(sheet)), rect_(rect), side_(side) {}

    void setProperty(const QString& name, const Variant& value) override {
        if (!Is(name, "LineStyle")) return ModelObject::setProperty(name, value);
        const std::optional<bool> line = LineFromStyle(IntegerValue(name, value));
        if (!line) throw AutomationError(BadValueText(name));
        RangeFormat f;
        f.rect = rect_;
        f.what = RangeFormat::What::Border;
        f.side = side_;
        f.line = *line;
        sheet_->addFormat(f);
    }

private:
    std::shared_ptr<SheetModel> sheet_;
    CellRect rect_;
    BorderSide side_;
};

class BordersObject final : public ModelObject {
public:
    BordersObject(std::shared_ptr<SheetModel> sheet, CellRect rect)
        : sheet_(std::move(sheet)), rect_(rect) {}

    std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                  const VariantList& args) override {
        if (!Is(name, "Item")) return ModelObject::getProperty(name, args);
        const std::optional<BorderSide> side = BorderSideFromItem(IntegerArgument(name, args));
        if (!side) throw AutomationError(BadArgumentsText(name));
        return std::make_shared<BorderObject>(sheet_, rect_, *side);
    }

private:
    std::shared_ptr<SheetModel> sheet_;
    CellRect rect_;
};

class InteriorObject final : public ModelObject {
public:
    InteriorObject(std::shared_ptr<SheetModel> sheet, CellRect rect)
        : sheet_(std::move(sheet)), rect_(rect) {}

    void setProperty(const QString& name, const Variant& value) override {
        if (!Is(name, "ColorIndex")) return ModelObject::setProperty(name, value);
        const std::optional<Fill> fill = FillFromColorIndex(IntegerValue(name, value));
        if (!fill) throw AutomationError(BadValueText(name));
        RangeFormat f;
        f.rect = rect_;
        f.what = RangeFormat::What::Fill;
        f.fill = fill->rgb;
        sheet_->addFormat(f);
    }

private:
    std::shared_ptr<SheetModel> sheet_;
    CellRect rect_;
};

class RangeObject final : public ModelObject {
public:
    RangeObject(std::shared_ptr<const AppState> app, std::shared_ptr<SheetModel> sheet,
                CellRect rect)
        : app_(std::move(app)), sheet_(std::move(sheet)), rect_(rect) {}

    std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                  const VariantList& args) override {
        if (Is(name, "Interior")) {
            ExpectNoArguments(name, args);
            return std::make_shared<InteriorObject>(sheet_, rect_);
        }
        if (Is(name, "Borders")) {
            ExpectNoArguments(name, args);
            return std::make_shared<BordersObject>(sheet_, rect_);
        }
        return ModelObject::getProperty(name, args);
    }

    void setProperty(const QString& name, const Variant& value) override {
        if (Is(name, "Value")) return setValue(value);
        if (Is(name, "ColumnWidth")) {
            const std::int32_t width = IntegerValue(name, value);
            if (width < 0 || width > 255) throw AutomationError(BadValueText(name));
            for (int c = rect_.left; c <= rect_.right; ++c) sheet_->setColumnWidth(c, width);
            return;
        }
        if (Is(name, "HorizontalAlignment")) {
            const std::optional<HorizontalAlign> align = AlignFromCode(IntegerValue(name, value));
            if (!align) throw AutomationError(BadValueText(name));
            RangeFormat f;
            f.rect = rect_;
            f.what = RangeFormat::What::Align;
            f.align = *align;
            sheet_->addFormat(f);
            return;
        }
        ModelObject::setProperty(name, value);
    }

private:
    // A text is taken as the user would have typed it: a number where it reads as one.
    void setValue(const Variant& value) {
        CellValue cell;
        if (value.isBoolean()) {
            cell.kind = CellValue::Kind::Boolean;
            cell.boolean = value.toBoolean();
        } else if (value.isInteger()) {
            cell.kind = CellValue::Kind::Number;
            cell.number = value.toInteger();
        } else if (const auto number = NumberFromCellText(value.toText(), app_->settings.locale)) {
            cell.kind = CellValue::Kind::Number;
            cell.number = *number;
        } else {
            cell.text = value.toText();
        }
        const bool blank = value.isText() && value.toText().isEmpty();
        for (int r = rect_.top; r <= rect_.bottom; ++r) {
            for (int c = rect_.left; c <= rect_.right; ++c) {
                if (blank) {
                    sheet_->clearValue(r, c);
                } else {
                    sheet_->setValue(r, c, cell);
                }
            }
        }
    }

    std::shared_ptr<const AppState> app_;
    std::shared_ptr<SheetModel> sheet_;
    CellRect rect_;
};

class ColumnsObject final : public ModelObject {
public:
    ColumnsObject(std::shared_ptr<const AppState> app, std::shared_ptr<SheetModel> sheet)
        : app_(std::move(app)), sheet_(std::move(sheet)) {}

    std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                  const VariantList& args) override {
        if (!Is(name, "Item")) return ModelObject::getProperty(name, args);
        const std::int32_t column = IntegerArgument(name, args);
        if (column < 1 || column > kSheetColumns) throw AutomationError(BadArgumentsText(name));
        return std::make_shared<RangeObject>(app_, sheet_, CellRect{1, column, kSheetRows, column});
    }

private:
    std::shared_ptr<const AppState> app_;
    std::shared_ptr<SheetModel> sheet_;
};

// Sheet.PageSetup: orientation, fitting to pages, title rows and the page header.
class PageSetupObject final : public ModelObject {
public:
    explicit PageSetupObject(std::shared_ptr<SheetModel> sheet) : sheet_(std::move(sheet)) {}

    void setProperty(const QString& name, const Variant& value) override {
        PageSetup& p = sheet_->pageSetup();
        if (Is(name, "Orientation")) {
            const std::int32_t o = IntegerValue(name, value);
            if (o != kPortrait && o != kLandscape) throw AutomationError(BadValueText(name));
            p.landscape = o == kLandscape;
        } else if (Is(name, "Zoom")) {
            // False hands the scale to FitToPages*; a percentage is taken and not kept.
            if (value.isBoolean() ? value.toBoolean() : IntegerValue(name, value) < 10) {
                throw AutomationError(BadValueText(name));
            }
        } else if (Is(name, "FitToPagesWide") || Is(name, "FitToPagesTall")) {
            // False: as many pages as it takes.
            const std::int32_t pages =
                value.isBoolean() && !value.toBoolean() ? 0 : IntegerValue(name, value);
            if (pages < 0 || pages > 255) throw AutomationError(BadValueText(name));
            (Is(name, "FitToPagesWide") ? p.fitWide : p.fitTall) = pages;
        } else if (Is(name, "PrintTitleRows")) {
            // "$1:$2": whole rows, first to last.
            static const QRegularExpression pattern(QStringLiteral("^\\$?(\\d+):\\$?(\\d+)$"));
            const QRegularExpressionMatch m =
                value.isText() ? pattern.match(value.toText()) : QRegularExpressionMatch();
            const int first = m.hasMatch() ? m.captured(1).toInt() : 0;
            const int last = m.hasMatch() ? m.captured(2).toInt() : 0;
            if (first < 1 || last < first || last > kSheetRows) {
                throw AutomationError(BadValueText(name));
            }
            p.titleFirst = first;
            p.titleLast = last;
        } else if (Is(name, "CenterHeader")) {
            if (!value.isText()) throw AutomationError(BadValueText(name));
            p.centerHeader = value.toText();
        } else {
            ModelObject::setProperty(name, value);
        }
    }

private:
    static constexpr std::int32_t kPortrait = 1;
    static constexpr std::int32_t kLandscape = 2;
    std::shared_ptr<SheetModel> sheet_;
};

class SheetObject final : public ModelObject {
public:
    SheetObject(std::shared_ptr<const AppState> app, std::shared_ptr<SheetModel> sheet)
        : app_(std::move(app)), sheet_(std::move(sheet)) {}

    std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                  const VariantList& args) override {
        if (Is(name, "Cells")) {
            if (args.size() != 2 || !args[0].isInteger() || !args[1].isInteger()) {
                throw AutomationError(BadArgumentsText(name));
            }
            const std::int32_t row = args[0].toInteger();
            const std::int32_t column = args[1].toInteger();
            if (row < 1 || row > kSheetRows || column < 1 || column > kSheetColumns) {
                throw AutomationError(BadArgumentsText(name));
            }
            return std::make_shared<RangeObject>(app_, sheet_, CellRect{row, column, row, column});
        }
        if (Is(name, "Range")) {
            return std::make_shared<RangeObject>(app_, sheet_, RangeArgument(name, args));
        }
        if (Is(name, "Columns")) {
            ExpectNoArguments(name, args);
            return std::make_shared<ColumnsObject>(app_, sheet_);
        }
        if (Is(name, "PageSetup")) {
            ExpectNoArguments(name, args);
            return std::make_shared<PageSetupObject>(sheet_);
        }
        return ModelObject::getProperty(name, args);
    }

    void setProperty(const QString& name, const Variant& value) override {
        if (!Is(name, "Name")) return ModelObject::setProperty(name, value);
        // The file format allows 31 characters and none of []:*?/\ in a sheet's name.
        static const QString kForbidden = QStringLiteral("[]:*?/\\");
        if (!value.isText() || value.toText().isEmpty() || value.toText().size() > 31 ||
            std::any_of(value.toText().begin(), value.toText().end(),
                        [](QChar c) { return kForbidden.contains(c); })) {
            throw AutomationError(BadValueText(name));
        }
        sheet_->setName(value.toText());
    }

private:
    std::shared_ptr<const AppState> app_;
    std::shared_ptr<SheetModel> sheet_;
};

// The worksheets of the active workbook; Add puts a new one after the last.
class WorksheetsObject final : public ModelObject {
public:
    explicit WorksheetsObject(std::shared_ptr<AppState> app) : app_(std::move(app)) {}

    void callMethod(const QString& name) override {
        if (!Is(name, "Add")) return ModelObject::callMethod(name);
        if (app_->workbooks.empty()) throw AutomationError(NoObjectText(name));
        auto& sheets = app_->workbooks.back()->sheets;
        sheets.push_back(
            std::make_shared<SheetModel>(QStringLiteral("Лист%1").arg(sheets.size() + 1)));
    }

private:
    std::shared_ptr<AppState> app_;
};

class WorkbooksObject final : public ModelObject {
public:
    explicit WorkbooksObject(std::shared_ptr<AppState> app) : app_(std::move(app)) {}

    // A new workbook with one empty worksheet; it becomes the active one.
    void callMethod(const QString& name) override {
        if (!Is(name, "add")) return ModelObject::callMethod(name);
        auto book = std::make_shared<WorkbookModel>();
        book->sheets.push_back(std::make_shared<SheetModel>(QStringLiteral("Лист1")));
        app_->workbooks.push_back(std::move(book));
    }

private:
    std::shared_ptr<AppState> app_;
};

class ApplicationObject final : public ModelObject {
public:
    explicit ApplicationObject(std::shared_ptr<AppState> app) : app_(std::move(app)) {}

    std::shared_ptr<AutomationObject> getProperty(const QString& name,
                                                  const VariantList& args) override {
        if (Is(name, "WorkBooks")) {
            ExpectNoArguments(name, args);
            return std::make_shared<WorkbooksObject>(app_);
        }
        if (Is(name, "WorkSheets")) {
            if (args.empty()) return std::make_shared<WorksheetsObject>(app_);
            const std::int32_t index = IntegerArgument(name, args);
            if (app_->workbooks.empty()) throw AutomationError(NoObjectText(name));
            const auto& sheets = app_->workbooks.back()->sheets;
            if (index < 1 || index > static_cast<std::int32_t>(sheets.size())) {
                throw AutomationError(BadArgumentsText(name));
            }
            return std::make_shared<SheetObject>(app_, sheets[static_cast<std::size_t>(index - 1)]);
        }
        if (Is(name, "Range")) {
            return std::make_shared<RangeObject>(app_, app_->activeSheet(name),
                                                 RangeArgument(name, args));
        }
        return ModelObject::getProperty(name, args);
    }

    void setProperty(const QString& name, const Variant& value) override {
        if (!Is(name, "Visible")) return ModelObject::setProperty(name, value);
        if (!value.isBoolean()) throw AutomationError(BadValueText(name));
        app_->visible = value.toBoolean();
        if (app_->visible) showWorkbooks();
    }

private:
    // Writes the workbook of this export, then hands the file to the desktop. Only this one:
    // a workbook an earlier export left unwritten failed then, and said so; writing it now
    // would put a protocol the user took as lost in a file behind their back.
    void showWorkbooks() {
        const WorkbookSettings& s = app_->settings;
        if (app_->workbooks.empty() || !app_->workbooks.back()->path.isEmpty()) return;
        WorkbookModel& book = *app_->workbooks.back();
        if (const int error = MakeFolder(s.documentsDir); error != 0) {
            throw DocumentsFolderError(NoDocumentsFolderText(s.documentsDir, error));
        }
        const QString path = UniqueProtocolPath(s.documentsDir, appClock().now());
        const QString error = WriteWorkbookFile(book, path);
        if (!error.isEmpty()) throw AutomationError(WriteFailedText(path, error));
        book.path = path;
        if (s.saved) s.saved(path);
        const bool opened =
            s.open ? s.open(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        if (!opened && s.showMessage) {
            s.showMessage({NotOpenedCaption(), NotOpenedText(path), ExportMessage::Icon::Warning});
        }
    }

    std::shared_ptr<AppState> app_;
};

}  // namespace

QString DefaultDocumentsDir() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString UniqueProtocolPath(const QString& dir, const QDateTime& when) {
    const QString stem =
        QStringLiteral("Протокол ") + when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = QDir(dir).filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFile::exists(path); ++n) {
        path = QDir(dir).filePath(stem + QStringLiteral(" (%1).xlsx").arg(n));
    }
    return path;
}

Automation WorkbookApplication::Create(const WorkbookSettings& settings) {
    auto app = std::make_shared<AppState>();
    app->settings = settings;
    if (app->settings.documentsDir.isEmpty()) app->settings.documentsDir = DefaultDocumentsDir();
    const QString& dir = app->settings.documentsDir;
    // The application is of no use where its files cannot go.
    if (const int error = MakeFolder(dir); error != 0) {
        throw DocumentsFolderError(NoDocumentsFolderText(dir, error));
    }
    if (const int error = ProbeWrite(dir); error != 0) {
        throw DocumentsFolderError(NoDocumentsFolderText(dir, error));
    }
    return Automation(std::make_shared<ApplicationObject>(std::move(app)));
}

ApplicationFactory WorkbookApplication::Factory(const WorkbookSettings& settings) {
    return [settings] { return Create(settings); };
}

}  // namespace lmr
