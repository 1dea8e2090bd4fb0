#include "work/ui/work_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>
#include <cmath>

#include "curve/scale_check.h"
#include "series/ui/pane_series.h"
#include "work/exact_number.h"
#include "work/work_format.h"
#include "work/work_messages.h"

namespace aqualen::work::ui {

using aqualen::ui::PaneSeries;

namespace {

// ---- Writing ----

QJsonValue SeriesJson(const PaneSeries& series)
{
    QJsonObject object{{"text", series.text}, {"name", series.name}};
    object.insert("firstYear", series.firstYear ? QJsonValue(*series.firstYear) : QJsonValue());
    return object;
}

QJsonValue PointsJson(const QList<QPointF>& points)
{
    QJsonArray array;
    for (const QPointF& p : points)
        array.append(QJsonArray{p.x(), p.y()});
    return array;
}

QJsonValue ListJson(const TDoubleList& list)
{
    QJsonArray array;
    for (int32_t i = 0; i < list.Count(); ++i)
        array.append(list.Get(i));
    return array;
}

QJsonValue FrameJson(const WindowFrame& frame)
{
    QJsonObject splitters;
    for (auto it = frame.splitters.begin(); it != frame.splitters.end(); ++it)
        splitters.insert(it.key(), QString::fromLatin1(it.value().toBase64()));
    return QJsonObject{
        {"open", frame.open}, {"geometry", QString::fromLatin1(frame.geometry.toBase64())}, {"splitters", splitters}};
}

QJsonValue Exact(long double value)
{
    return QString::fromStdString(ExactText(value));
}

QJsonValue AnalyticJson(const AnalyticSheet& analytic)
{
    const dist::FitOptions& o = analytic.Options;
    QJsonObject options{{"distribution", static_cast<int>(o.distribution)},
                        {"method", static_cast<int>(o.method)},
                        {"fixRatio", o.fixRatio},
                        {"ratio", o.ratio},
                        {"r1Choice", o.r1Choice},
                        {"givenMean", o.givenMean},
                        {"givenCv", o.givenCv},
                        {"givenCs", o.givenCs},
                        {"bandLevel", o.bandLevel}};
    QJsonValue fit;
    if (analytic.Fit) {
        const dist::Fit& f = *analytic.Fit;
        fit = QJsonObject{{"distribution", static_cast<int>(f.distribution)},
                          {"method", static_cast<int>(f.method)},
                          {"mean", f.mean},
                          {"cv", f.cv},
                          {"cs", f.cs},
                          {"kmShape", f.kmShape},
                          {"kmPower", f.kmPower},
                          {"kmScale", f.kmScale},
                          {"lambda2", f.lambda2},
                          {"lambda3", f.lambda3}};
    }
    QJsonArray band;
    for (const double p : analytic.BandProbabilities)
        band.append(p);
    // The band itself is left out: the bootstrap is seeded and gives the
    // same limits again when the work is opened.
    return QJsonObject{{"options", options}, {"fit", fit}, {"bandProbabilities", band}};
}

QJsonValue SheetJson(const CurveSettings& s)
{
    return QJsonObject{{"fineGrid", s.FineGrid},
                       {"smoothCurve", s.SmoothCurve},
                       {"curveA", Exact(s.CurveA)},
                       {"curveB", Exact(s.CurveB)},
                       {"curveC", Exact(s.CurveC)},
                       {"pointRadius", s.PointRadius},
                       {"title", QString::fromStdString(s.Title)},
                       {"axisName", QString::fromStdString(s.AxisName)},
                       {"scaleMax", s.ScaleMax},
                       {"scaleMin", s.ScaleMin},
                       {"mainStep", s.MainStep},
                       {"additionalStep", s.AdditionalStep},
                       {"legend", s.Legend},
                       {"returnPeriodAxis", s.ReturnPeriodAxis},
                       {"probabilities", ListJson(s.Probabilities)},
                       {"values", ListJson(s.Values)},
                       {"pointX", ListJson(s.PointX)},
                       {"pointY", ListJson(s.PointY)},
                       {"analytic", AnalyticJson(s.Analytic)}};
}

QJsonValue ParamsJson(const ParamsWork& params)
{
    QJsonObject boxes, checks, groups;
    for (auto it = params.boxes.begin(); it != params.boxes.end(); ++it)
        boxes.insert(it.key(), it.value());
    for (auto it = params.checks.begin(); it != params.checks.end(); ++it)
        checks.insert(it.key(), it.value());
    for (auto it = params.groups.begin(); it != params.groups.end(); ++it)
        groups.insert(it.key(), it.value());
    QJsonArray cells;
    for (const GridCell& cell : params.cells)
        cells.append(QJsonArray{cell.row, cell.column, cell.text});
    return QJsonObject{{"boxes", boxes}, {"checks", checks}, {"groups", groups}, {"cells", cells}};
}

QJsonObject WindowsJson(const Work& work)
{
    QJsonObject windows;
    windows.insert("main", QJsonObject{{"frame", FrameJson(work.main.frame)},
                                       {"series", SeriesJson(work.main.series)},
                                       {"r1", work.main.r1},
                                       {"report", work.main.report},
                                       {"reportStale", work.main.reportStale}});
    if (work.correl)
        windows.insert("correlation", QJsonObject{{"frame", FrameJson(work.correl->frame)},
                                                  {"series1", SeriesJson(work.correl->series1)},
                                                  {"series2", SeriesJson(work.correl->series2)},
                                                  {"report", work.correl->report},
                                                  {"reportStale", work.correl->reportStale},
                                                  {"points", PointsJson(work.correl->points)}});
    if (work.odn)
        windows.insert("homogeneity", QJsonObject{{"frame", FrameJson(work.odn->frame)},
                                                  {"series1", SeriesJson(work.odn->series1)},
                                                  {"series2", SeriesJson(work.odn->series2)},
                                                  {"row", work.odn->row},
                                                  {"level", work.odn->level},
                                                  {"report", work.odn->report},
                                                  {"reportStale", work.odn->reportStale},
                                                  {"points1", PointsJson(work.odn->points1)},
                                                  {"points2", PointsJson(work.odn->points2)}});
    if (work.curve) {
        const CurveWork& c = *work.curve;
        QJsonObject curve{{"frame", FrameJson(c.frame)},
                          {"sheet", SheetJson(*c.sheet)},
                          {"sheetReady", c.sheetReady},
                          {"zoomLevel", c.zoomLevel},
                          {"zoomFit", c.zoomFit},
                          {"quantiles", QJsonObject{{"open", c.quantilesOpen},
                                                    {"probabilities", c.probabilities},
                                                    {"compare", c.compare},
                                                    {"frame", FrameJson(c.quantilesFrame)}}}};
        curve.insert("parameters", c.params ? ParamsJson(*c.params) : QJsonValue());
        windows.insert("curve", curve);
    }
    if (work.analysis)
        windows.insert("analysis", QJsonObject{{"frame", FrameJson(work.analysis->frame)},
                                               {"series", SeriesJson(work.analysis->series)},
                                               {"level", work.analysis->level},
                                               {"curve", work.analysis->curve},
                                               {"r1", work.analysis->r1},
                                               {"report", work.analysis->report},
                                               {"reportStale", work.analysis->reportStale},
                                               {"values", PointsJson(work.analysis->values)},
                                               {"trend", PointsJson(work.analysis->trend)},
                                               {"integral", PointsJson(work.analysis->integral)}});
    if (work.extension) {
        const ExtensionWork& e = *work.extension;
        windows.insert("extension", QJsonObject{{"frame", FrameJson(e.frame)},
                                                {"studied", SeriesJson(e.studied)},
                                                {"analogue", SeriesJson(e.analogue)},
                                                {"report", e.report},
                                                {"reportStale", e.reportStale},
                                                {"common", PointsJson(e.common)},
                                                {"line", PointsJson(e.line)},
                                                {"restored", PointsJson(e.restored)}});
    }
    return windows;
}

// ---- Reading ----

// Thrown at the first member that is missing or not what it must be; the
// text names the member by its path.
struct Damage {
    QString detail;
};

class Reader {
public:
    explicit Reader(QString path) : path_(std::move(path)) {}

    Reader In(const QString& key) const { return Reader(path_.isEmpty() ? key : path_ + '.' + key); }
    const QString& Path() const { return path_; }

    [[noreturn]] void Fail(const QString& what) const { throw Damage{QStringLiteral("%1 «%2»").arg(what, path_)}; }
    [[noreturn]] void WrongType() const { Fail(QStringLiteral("не того вида значение")); }
    [[noreturn]] void OutOfRange() const { Fail(QStringLiteral("недопустимое значение")); }

private:
    QString path_;
};

QJsonValue Member(const QJsonObject& object, const Reader& at, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        at.In(key).Fail(QStringLiteral("нет значения"));
    return value;
}

QJsonObject Object(const QJsonValue& value, const Reader& at)
{
    if (!value.isObject())
        at.WrongType();
    return value.toObject();
}

QJsonArray Array(const QJsonValue& value, const Reader& at)
{
    if (!value.isArray())
        at.WrongType();
    return value.toArray();
}

QString Text(const QJsonValue& value, const Reader& at)
{
    if (!value.isString())
        at.WrongType();
    return value.toString();
}

bool Flag(const QJsonValue& value, const Reader& at)
{
    if (!value.isBool())
        at.WrongType();
    return value.toBool();
}

double Number(const QJsonValue& value, const Reader& at)
{
    if (!value.isDouble())
        at.WrongType();
    return value.toDouble();
}

int Integer(const QJsonValue& value, const Reader& at, int low, int high)
{
    const double number = Number(value, at);
    if (number != std::floor(number) || number < low || number > high)
        at.OutOfRange();
    return static_cast<int>(number);
}

// Members by name, each read at its path.
class ObjectReader {
public:
    ObjectReader(const QJsonValue& value, Reader at) : at_(std::move(at)), object_(ui::Object(value, at_)) {}

    bool Has(const QString& key) const { return object_.contains(key) && !object_.value(key).isNull(); }
    QJsonValue Value(const QString& key) const { return Member(object_, at_, key); }
    Reader At(const QString& key) const { return at_.In(key); }
    const QJsonObject& Json() const { return object_; }

    QString Text(const QString& key) const { return ui::Text(Value(key), At(key)); }
    bool Flag(const QString& key) const { return ui::Flag(Value(key), At(key)); }
    double Number(const QString& key) const { return ui::Number(Value(key), At(key)); }
    int Integer(const QString& key, int low, int high) const { return ui::Integer(Value(key), At(key), low, high); }
    ObjectReader Object(const QString& key) const { return ObjectReader(Value(key), At(key)); }
    QJsonArray Array(const QString& key) const { return ui::Array(Value(key), At(key)); }

private:
    Reader at_;
    QJsonObject object_;
};

// A flag a file of this version may lack: false then.
bool OptionalFlag(const ObjectReader& in, const QString& key)
{
    return in.Has(key) && in.Flag(key);
}

// Lines as a pane counts them: the empty line after a final break does not count.
qsizetype LineCount(const QString& text)
{
    if (text.isEmpty())
        return 0;
    qsizetype breaks = text.count(QLatin1Char('\n'));
    return text.endsWith(QLatin1Char('\n')) ? breaks : breaks + 1;
}

QString PaneText(const ObjectReader& in, const QString& key)
{
    QString text = in.Text(key);
    if (LineCount(text) > aqualen::ui::kMaxPaneLines)
        in.At(key).Fail(QStringLiteral("больше %1 строк в поле").arg(aqualen::ui::kMaxPaneLines));
    return text;
}

PaneSeries ReadSeries(const ObjectReader& in, const QString& key)
{
    const ObjectReader series = in.Object(key);
    PaneSeries result;
    result.text = PaneText(series, QStringLiteral("text"));
    result.name = series.Text(QStringLiteral("name"));
    if (series.Has(QStringLiteral("firstYear")))
        result.firstYear =
            series.Integer(QStringLiteral("firstYear"), aqualen::ui::kMinFirstYear, aqualen::ui::kMaxFirstYear);
    return result;
}

QList<QPointF> ReadPoints(const ObjectReader& in, const QString& key)
{
    const QJsonArray array = in.Array(key);
    QList<QPointF> points;
    points.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const Reader at = in.At(key).In(QString::number(i));
        const QJsonArray pair = Array(array.at(i), at);
        if (pair.size() != 2)
            at.OutOfRange();
        points.append(QPointF(Number(pair.at(0), at), Number(pair.at(1), at)));
    }
    return points;
}

QByteArray Base64(const ObjectReader& in, const QString& key)
{
    auto decoded = QByteArray::fromBase64Encoding(in.Text(key).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        in.At(key).OutOfRange();
    return *decoded;
}

WindowFrame ReadFrame(const ObjectReader& in)
{
    const ObjectReader frame = in.Object(QStringLiteral("frame"));
    WindowFrame result;
    result.open = frame.Flag(QStringLiteral("open"));
    result.geometry = Base64(frame, QStringLiteral("geometry"));
    const ObjectReader splitters = frame.Object(QStringLiteral("splitters"));
    for (const QString& name : splitters.Json().keys())
        result.splitters.insert(name, Base64(splitters, name));
    return result;
}

void ReadList(const ObjectReader& in, const QString& key, TDoubleList& list)
{
    const QJsonArray array = in.Array(key);
    if (array.size() > CurveSettings::kMaxPoints)
        in.At(key).OutOfRange();
    list.Clear();
    for (qsizetype i = 0; i < array.size(); ++i)
        list.Add(Number(array.at(i), in.At(key).In(QString::number(i))));
}

long double ReadExact(const ObjectReader& in, const QString& key)
{
    const std::optional<long double> value = ReadExactText(in.Text(key).toStdString());
    if (!value)
        in.At(key).OutOfRange();
    return *value;
}

void ReadAnalytic(const ObjectReader& in, AnalyticSheet& analytic)
{
    const ObjectReader options = in.Object(QStringLiteral("options"));
    dist::FitOptions& o = analytic.Options;
    o.distribution = static_cast<dist::Distribution>(options.Integer(QStringLiteral("distribution"), 0, 2));
    o.method = static_cast<dist::Method>(options.Integer(QStringLiteral("method"), 0, 4));
    o.fixRatio = options.Flag(QStringLiteral("fixRatio"));
    o.ratio = options.Number(QStringLiteral("ratio"));
    o.r1Choice = options.Integer(QStringLiteral("r1Choice"), 0, 2);
    o.givenMean = options.Number(QStringLiteral("givenMean"));
    o.givenCv = options.Number(QStringLiteral("givenCv"));
    o.givenCs = options.Number(QStringLiteral("givenCs"));
    o.bandLevel = options.Integer(QStringLiteral("bandLevel"), 0, 99);
    if (o.bandLevel != 0 && o.bandLevel != 80 && o.bandLevel != 90 && o.bandLevel != 95)
        options.At(QStringLiteral("bandLevel")).OutOfRange();
    analytic.Fit.reset();
    if (in.Has(QStringLiteral("fit"))) {
        const ObjectReader fit = in.Object(QStringLiteral("fit"));
        dist::Fit f;
        f.distribution = static_cast<dist::Distribution>(fit.Integer(QStringLiteral("distribution"), 0, 2));
        f.method = static_cast<dist::Method>(fit.Integer(QStringLiteral("method"), 0, 4));
        f.mean = fit.Number(QStringLiteral("mean"));
        f.cv = fit.Number(QStringLiteral("cv"));
        f.cs = fit.Number(QStringLiteral("cs"));
        f.kmShape = fit.Number(QStringLiteral("kmShape"));
        f.kmPower = fit.Number(QStringLiteral("kmPower"));
        f.kmScale = fit.Number(QStringLiteral("kmScale"));
        f.lambda2 = fit.Number(QStringLiteral("lambda2"));
        f.lambda3 = fit.Number(QStringLiteral("lambda3"));
        analytic.Fit = f;
    }
    const QJsonArray band = in.Array(QStringLiteral("bandProbabilities"));
    analytic.BandProbabilities.clear();
    for (qsizetype i = 0; i < band.size(); ++i) {
        const Reader at = in.At(QStringLiteral("bandProbabilities")).In(QString::number(i));
        const double p = Number(band.at(i), at);
        if (!(p > 0 && p < 100))
            at.OutOfRange();
        analytic.BandProbabilities.push_back(p);
    }
    analytic.Band.reset();
}

std::shared_ptr<const CurveSettings> ReadSheet(const ObjectReader& in)
{
    auto sheet = std::make_shared<CurveSettings>();
    CurveSettings& s = *sheet;
    s.FineGrid = in.Flag(QStringLiteral("fineGrid"));
    s.SmoothCurve = in.Flag(QStringLiteral("smoothCurve"));
    s.CurveA = ReadExact(in, QStringLiteral("curveA"));
    s.CurveB = ReadExact(in, QStringLiteral("curveB"));
    s.CurveC = ReadExact(in, QStringLiteral("curveC"));
    s.PointRadius = static_cast<uint8_t>(in.Integer(QStringLiteral("pointRadius"), 0, 20));
    s.Title = in.Text(QStringLiteral("title")).toStdString();
    s.AxisName = in.Text(QStringLiteral("axisName")).toStdString();
    s.ScaleMax = in.Number(QStringLiteral("scaleMax"));
    s.ScaleMin = in.Number(QStringLiteral("scaleMin"));
    s.MainStep = in.Number(QStringLiteral("mainStep"));
    s.AdditionalStep = in.Number(QStringLiteral("additionalStep"));
    // A scale the dialog would have refused would not draw.
    if (ScaleSettingsError(s.ScaleMax, s.ScaleMin, s.MainStep, s.AdditionalStep))
        in.At(QStringLiteral("scaleMax")).OutOfRange();
    s.Legend = in.Flag(QStringLiteral("legend"));
    s.ReturnPeriodAxis = in.Flag(QStringLiteral("returnPeriodAxis"));
    ReadList(in, QStringLiteral("probabilities"), s.Probabilities);
    ReadList(in, QStringLiteral("values"), s.Values);
    ReadList(in, QStringLiteral("pointX"), s.PointX);
    ReadList(in, QStringLiteral("pointY"), s.PointY);
    // The drawing pairs the lists entry by entry.
    if (s.Probabilities.Count() != s.Values.Count())
        in.At(QStringLiteral("values")).OutOfRange();
    if (s.PointX.Count() != s.PointY.Count())
        in.At(QStringLiteral("pointY")).OutOfRange();
    ReadAnalytic(in.Object(QStringLiteral("analytic")), s.Analytic);
    return sheet;
}

ParamsWork ReadParams(const ObjectReader& in)
{
    ParamsWork params;
    const ObjectReader boxes = in.Object(QStringLiteral("boxes"));
    for (const QString& key : boxes.Json().keys())
        params.boxes.insert(key, boxes.Text(key));
    const ObjectReader checks = in.Object(QStringLiteral("checks"));
    for (const QString& key : checks.Json().keys())
        params.checks.insert(key, checks.Flag(key));
    const ObjectReader groups = in.Object(QStringLiteral("groups"));
    for (const QString& key : groups.Json().keys())
        params.groups.insert(key, groups.Integer(key, 0, 99));
    const QJsonArray cells = in.Array(QStringLiteral("cells"));
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const Reader at = in.At(QStringLiteral("cells")).In(QString::number(i));
        const QJsonArray cell = Array(cells.at(i), at);
        if (cell.size() != 3)
            at.OutOfRange();
        params.cells.push_back({Integer(cell.at(0), at, 0, CurveSettings::kMaxPoints), Integer(cell.at(1), at, 0, 2),
                                Text(cell.at(2), at)});
    }
    return params;
}

CurveWork ReadCurve(const ObjectReader& in)
{
    CurveWork curve;
    curve.frame = ReadFrame(in);
    curve.sheet = ReadSheet(in.Object(QStringLiteral("sheet")));
    curve.sheetReady = in.Flag(QStringLiteral("sheetReady"));
    curve.zoomLevel = in.Integer(QStringLiteral("zoomLevel"), 0, 2);
    curve.zoomFit = in.Flag(QStringLiteral("zoomFit"));
    if (in.Has(QStringLiteral("parameters")))
        curve.params = ReadParams(in.Object(QStringLiteral("parameters")));
    const ObjectReader quantiles = in.Object(QStringLiteral("quantiles"));
    curve.quantilesOpen = quantiles.Flag(QStringLiteral("open"));
    curve.probabilities = quantiles.Text(QStringLiteral("probabilities"));
    curve.compare = OptionalFlag(quantiles, QStringLiteral("compare"));
    curve.quantilesFrame = ReadFrame(quantiles);
    return curve;
}

Work ReadWindows(const ObjectReader& windows)
{
    Work work;
    const ObjectReader main = windows.Object(QStringLiteral("main"));
    work.main.frame = ReadFrame(main);
    work.main.series = ReadSeries(main, QStringLiteral("series"));
    work.main.r1 = main.Integer(QStringLiteral("r1"), 0, 2);
    work.main.report = main.Text(QStringLiteral("report"));
    work.main.reportStale = OptionalFlag(main, QStringLiteral("reportStale"));

    if (windows.Has(QStringLiteral("correlation"))) {
        const ObjectReader in = windows.Object(QStringLiteral("correlation"));
        CorrelWork correl;
        correl.frame = ReadFrame(in);
        correl.series1 = ReadSeries(in, QStringLiteral("series1"));
        correl.series2 = ReadSeries(in, QStringLiteral("series2"));
        correl.report = in.Text(QStringLiteral("report"));
        correl.reportStale = OptionalFlag(in, QStringLiteral("reportStale"));
        correl.points = ReadPoints(in, QStringLiteral("points"));
        work.correl = std::move(correl);
    }
    if (windows.Has(QStringLiteral("homogeneity"))) {
        const ObjectReader in = windows.Object(QStringLiteral("homogeneity"));
        OdnWork odn;
        odn.frame = ReadFrame(in);
        odn.series1 = ReadSeries(in, QStringLiteral("series1"));
        odn.series2 = ReadSeries(in, QStringLiteral("series2"));
        odn.row = in.Integer(QStringLiteral("row"), 0, 99);
        odn.level = in.Integer(QStringLiteral("level"), 0, 99);
        odn.report = in.Text(QStringLiteral("report"));
        odn.reportStale = OptionalFlag(in, QStringLiteral("reportStale"));
        odn.points1 = ReadPoints(in, QStringLiteral("points1"));
        odn.points2 = ReadPoints(in, QStringLiteral("points2"));
        work.odn = std::move(odn);
    }
    if (windows.Has(QStringLiteral("curve")))
        work.curve = ReadCurve(windows.Object(QStringLiteral("curve")));
    if (windows.Has(QStringLiteral("analysis"))) {
        const ObjectReader in = windows.Object(QStringLiteral("analysis"));
        AnalysisWork analysis;
        analysis.frame = ReadFrame(in);
        if (in.Has(QStringLiteral("series"))) {
            analysis.series = ReadSeries(in, QStringLiteral("series"));
        } else {
            // Works saved before the window had a year gutter: the text and
            // a first year, 0 for none.
            analysis.series.text = PaneText(in, QStringLiteral("text"));
            if (const int year = in.Integer(QStringLiteral("firstYear"), 0, aqualen::ui::kMaxFirstYear); year > 0)
                analysis.series.firstYear = year;
        }
        analysis.level = in.Integer(QStringLiteral("level"), 0, 99);
        if (in.Has(QStringLiteral("curve")))
            analysis.curve = in.Integer(QStringLiteral("curve"), -1, 1);
        if (in.Has(QStringLiteral("r1")))
            analysis.r1 = in.Integer(QStringLiteral("r1"), -1, 2);
        analysis.report = in.Text(QStringLiteral("report"));
        analysis.reportStale = OptionalFlag(in, QStringLiteral("reportStale"));
        for (auto [key, points] : {std::pair{"values", &analysis.values}, std::pair{"trend", &analysis.trend},
                                   std::pair{"integral", &analysis.integral}})
            if (in.Has(QString::fromLatin1(key)))
                *points = ReadPoints(in, QString::fromLatin1(key));
        work.analysis = std::move(analysis);
    }
    if (windows.Has(QStringLiteral("extension"))) {
        const ObjectReader in = windows.Object(QStringLiteral("extension"));
        ExtensionWork extension;
        extension.frame = ReadFrame(in);
        extension.studied = ReadSeries(in, QStringLiteral("studied"));
        extension.analogue = ReadSeries(in, QStringLiteral("analogue"));
        extension.report = in.Text(QStringLiteral("report"));
        extension.reportStale = in.Flag(QStringLiteral("reportStale"));
        extension.common = ReadPoints(in, QStringLiteral("common"));
        extension.line = ReadPoints(in, QStringLiteral("line"));
        extension.restored = ReadPoints(in, QStringLiteral("restored"));
        work.extension = std::move(extension);
    }
    return work;
}

// True when the bytes, past any blanks and a byte-order mark, open a JSON
// object or array: what is not is no work file at all, rather than a damaged one.
bool LooksLikeJson(const QByteArray& bytes)
{
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return i < bytes.size() && (bytes[i] == '{' || bytes[i] == '[');
}

} // namespace

QByteArray WorkToJson(const Work& work)
{
    QJsonObject root{{"format", QString::fromUtf8(kWorkFormatName)},
                     {"version", kWorkFormatVersion},
                     {"windows", WindowsJson(work)}};
    if (!work.savedPath.isEmpty())
        root.insert("recovery", QJsonObject{{"savedPath", work.savedPath}});
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::variant<Work, QString> WorkFromJson(const QByteArray& bytes, const QString& fileName)
{
    if (!LooksLikeJson(bytes))
        return QString::fromUtf8(kWorkNotJson).arg(fileName);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QString::fromUtf8(kWorkDamaged)
            .arg(fileName, QStringLiteral("документ JSON оборван или испорчен (байт %1)").arg(error.offset));
    const QJsonObject root = document.object();
    const QJsonValue format = root.value(QStringLiteral("format"));
    if (!document.isObject() || format.toString() != QString::fromUtf8(kWorkFormatName))
        return QString::fromUtf8(kWorkUnknownFormat).arg(fileName);
    try {
        const ObjectReader in(root, Reader(QString()));
        // Any version above this one is newer, however large: checked before it must be a small whole number.
        const double version = in.Number(QStringLiteral("version"));
        if (version > kWorkFormatVersion)
            return QString::fromUtf8(kWorkNewerVersion).arg(fileName).arg(version, 0, 'g', 12).arg(kWorkFormatVersion);
        in.Integer(QStringLiteral("version"), 1, kWorkFormatVersion);
        Work work = ReadWindows(in.Object(QStringLiteral("windows")));
        if (in.Has(QStringLiteral("recovery")))
            work.savedPath = in.Object(QStringLiteral("recovery")).Text(QStringLiteral("savedPath"));
        return work;
    } catch (const Damage& damage) {
        return QString::fromUtf8(kWorkDamaged).arg(fileName, damage.detail);
    }
}

} // namespace aqualen::work::ui
