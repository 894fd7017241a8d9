#include "fleetgenerator.h"

#include "databaseengine.h"
#include "tqxquery.h"

#include <cstdio>

#include "apperror.h"
#include "gbkwidth.h"
#include "installation.h"
#include "sqliteengine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

const char *const CompleteMarker = "generated.ok";

const std::array Surnames{"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴", "徐", "孙", "胡", "朱", "高", "林"};
const std::array GivenNames{"伟", "芳", "娜", "敏", "静", "强", "磊", "军", "洋", "勇", "艳", "杰", "涛", "明", "超", "华"};
const std::array Places{"城东工地", "港口码头", "北郊料场", "开发区三号地块", "高速公路收费站", "市政广场", "火车站货场",
                        "西山采石场", "南湖新区", "机场货运区"};
const std::array Contents{"土方运输", "钢材吊装", "混凝土浇筑配合", "建筑垃圾清运", "道路清扫", "设备转场运输",
                          "基坑开挖", "管道铺设吊装", "沙石料运输", "夜间抢修配合"};
const std::array Customers{"宏达建筑工程有限公司", "市政工程管理处", "华通物流公司", "长城建设集团第三分公司",
                           "新城房地产开发公司", "顺发运输合作社", "东方路桥工程公司", "港务局装卸公司"};
const std::array RepairPlaces{"本单位修理车间", "城西汽修厂", "特约维修站", "4S服务中心"};
const std::array RepairParts{"发动机", "变速箱", "制动系统", "液压系统", "轮胎", "电气线路", "离合器", "转向系统"};
const std::array Materials{"机油滤清器", "刹车片", "液压油管", "轮胎两条", "蓄电池", "离合器片", "转向拉杆"};
const std::array Models{"解放CA1092", "东风EQ1141", "徐工QY25K", "三一SY215C", "柳工CLG856", "宇通ZK6120", "重汽豪沃"};
const std::array CarTypes{"货车", "客车", "吊车", "挖掘机", "装载机", "推土机"};
const std::array WorkTypes{"运输作业", "吊装作业", "土方作业", "清运作业", "租赁作业", "抢修作业", "短途接送", "其他作业"};
const std::array RepairTypes{"日常保养", "小修", "中修", "大修", "事故维修", "年检维修"};
const std::array MoneyTypes{"运输收入", "租赁收入", "维修支出", "燃油支出", "保险支出", "其他收支"};
const std::array Departments{"运输一队", "运输二队", "机械施工队", "吊装队", "维修车间", "调度室", "财务科", "办公室"};

class Database
{
public:
    explicit Database(const QString &path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw AppError(QStringLiteral("Cannot open %1").arg(path));
        SqliteEngine::registerFunctions(m_db);
    }
    ~Database() { sqlite3_close(m_db); }

    void exec(const char *sql)
    {
        char *error = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            const QString message = QString::fromUtf8(error);
            sqlite3_free(error);
            throw AppError(message);
        }
    }
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};

// One prepared INSERT, its values bound by position and written by insert().
class Insert
{
public:
    Insert(Database &db, const char *sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db.handle(), sql, -1, &m_statement, nullptr) != SQLITE_OK)
            throw AppError(QString::fromUtf8(sqlite3_errmsg(db.handle())));
    }
    ~Insert() { sqlite3_finalize(m_statement); }

    Insert &text(const std::string &value)
    {
        sqlite3_bind_text(m_statement, ++m_index, value.data(), int(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert &text(const char *value) { return text(std::string(value)); }
    Insert &number(double value)
    {
        sqlite3_bind_double(m_statement, ++m_index, value);
        return *this;
    }
    Insert &integer(int value)
    {
        sqlite3_bind_int(m_statement, ++m_index, value);
        return *this;
    }
    Insert &null()
    {
        sqlite3_bind_null(m_statement, ++m_index);
        return *this;
    }
    void insert()
    {
        if (sqlite3_step(m_statement) != SQLITE_DONE)
            throw AppError(QString::fromUtf8(sqlite3_errmsg(m_db.handle())));
        sqlite3_reset(m_statement);
        m_index = 0;
    }

private:
    Database &m_db;
    sqlite3_stmt *m_statement = nullptr;
    int m_index = 0;
};

class Generator
{
public:
    explicit Generator(Database &db) : m_db(db) {}

    void run(const FleetCounts &counts);

private:
    template <typename Array>
    const char *pick(const Array &values) { return values[m_random() % values.size()]; }
    int between(int low, int high) { return low + int(m_random() % unsigned(high - low + 1)); }
    std::string personName() { return std::string(pick(Surnames)) + pick(GivenNames) + (m_random() % 2 ? pick(GivenNames) : ""); }
    std::string phone() { return "13" + std::to_string(between(100000000, 999999999)); }

    static std::string date(const QDateTime &moment) { return moment.date().toString(Qt::ISODate).toStdString(); }
    // A time-stamp key as the program makes them: prefix + yymmddhhnnss + sequence.
    static std::string key(const char *prefix, const QDateTime &moment, int sequence)
    {
        char tail[8];
        std::snprintf(tail, sizeof tail, "%03d", sequence % 1000);
        return prefix + moment.toString(QStringLiteral("yyMMddHHmmss")).toStdString() + tail;
    }
    // A yearly number: YYYY + 6-digit counter.
    std::string yearly(std::array<int, 4> &counters, const QDateTime &moment)
    {
        const int year = moment.date().year();
        char text[16];
        std::snprintf(text, sizeof text, "%04d%06d", year, ++counters[size_t(year - 2003)]);
        return text;
    }
    QDateTime momentOf(int index, int count) const
    {
        return m_start.addSecs(qint64(double(index) / count * m_span));
    }

    void departments();
    void categories();
    void employees();
    void vehicles(int count);
    void tasks(int count);
    void repairs(int count);
    void money(int count);

    Database &m_db;
    std::mt19937 m_random{20060831};
    const QDateTime m_start{QDate(2003, 1, 1), QTime(7, 0)};
    const qint64 m_span = QDateTime(QDate(2003, 1, 1), QTime(7, 0)).secsTo(QDateTime(QDate(2006, 12, 31), QTime(18, 0)));
    std::vector<std::string> m_vehicleIds;
    std::vector<std::string> m_vehicleDepartments;
    std::vector<std::string> m_taskIds;
    std::vector<std::string> m_repairIds;
};

void Generator::run(const FleetCounts &counts)
{
    m_db.exec("PRAGMA synchronous=OFF");
    m_db.exec("BEGIN");
    departments();
    categories();
    employees();
    vehicles(counts.vehicles);
    tasks(counts.tasks);
    repairs(counts.repairs);
    money(counts.money);
    m_db.exec("COMMIT");
    m_db.exec("PRAGMA synchronous=FULL");
    m_db.exec("ANALYZE");
}

void Generator::departments()
{
    Insert row(m_db, "INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,PRIOR_ID,COMPANY_NAME,COMPANY_PHONE,ORDER_ID) VALUES(?,?,?,?,?)");
    row.text("G001").text("G002").text("宏远工程机械运输公司").text("010-88886666").integer(1).insert();
    for (size_t i = 0; i < Departments.size(); ++i)
        row.text("D" + std::to_string(i + 1)).text("G001").text(Departments[i]).text(phone()).integer(int(i) + 1).insert();
}

void Generator::categories()
{
    const auto fill = [this](const char *sql, const char *prefix, const auto &names) {
        Insert row(m_db, sql);
        for (size_t i = 0; i < names.size(); ++i)
            row.text(prefix + std::to_string(i + 1)).text(names[i]).text("G001").integer(int(i) + 1).insert();
    };
    fill("INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,?)", "T", CarTypes);
    fill("INSERT INTO QX_WORK_TYPE_TABLE(WORK_TYPE_ID,WORK_TYPE_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,?)", "W", WorkTypes);
    fill("INSERT INTO QX_REPAIR_TYPE_TABLE(REPAIR_TYPE_ID,REPAIR_TYPE_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,?)", "R", RepairTypes);
    fill("INSERT INTO QX_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,MONEY_TYPE_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,?)", "M", MoneyTypes);
}

void Generator::employees()
{
    Insert row(m_db, "INSERT INTO QX_EMPLOYEE_TABLE(COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME,EMPLOYEE_SEX,EMPLOYEE_BIRTHDAY,"
                     "EMPLOYEE_POST,EMPLOYEE_HANDSET,EMPLOYEE_STIPEND,CREATE_NAME,CREATE_DATE) VALUES(?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < 300; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "2003%06d", i + 1);
        row.text("D" + std::to_string(between(1, int(Departments.size())))).text(number).text(personName())
            .text(m_random() % 5 ? "男" : "女").text(QDate(1960 + between(0, 25), between(1, 12), between(1, 28)).toString(Qt::ISODate).toStdString())
            .text(i % 3 ? "驾驶员" : "操作手").text(phone()).number(between(1800, 4500)).text("管理员").text("2003-01-02").insert();
    }
}

void Generator::vehicles(int count)
{
    Insert row(m_db, "INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_TYPE_ID,COMPANY_ID,CAR_ORDER_ID,CAR_ID,CAR_NAME,"
                     "CAR_DRIVER_EMPLOYEE,CAR_BUY_DATE,CAR_BUY_MONEY,ENGINE_NUMBER,BATHOLITH_NUMBER,CAR_LOAD_NUMBER,"
                     "CAR_PEW_NUMBER,CAR_STATUS,NOTE,CREATE_NAME,CREATE_DATE) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    const QDateTime bought(QDate(2002, 3, 1), QTime(10, 0));
    for (int i = 0; i < count; ++i) {
        const QDateTime moment = bought.addSecs(qint64(i) * 3607);
        char order[16], plate[16], engine[24];
        std::snprintf(order, sizeof order, "%05d", i + 1);
        std::snprintf(plate, sizeof plate, "A%c%04d", 'A' + i % 26, between(0, 9999));
        std::snprintf(engine, sizeof engine, "EN%08d", between(0, 99999999));
        m_vehicleIds.push_back(key("A", moment, i));
        m_vehicleDepartments.push_back("D" + std::to_string(i % 5 + 1));
        row.text(m_vehicleIds.back()).text("T" + std::to_string(i % CarTypes.size() + 1)).text(m_vehicleDepartments.back())
            .text(order).text(std::string("京") + plate).text(pick(Models)).text(personName()).text(date(moment))
            .number(between(80, 900) * 1000.0).text(engine).text(std::string("LB") + engine).number(between(2, 40))
            .number(between(2, 55)).text(i % 17 ? "正常" : "维修中");
        if (i % 4)
            row.null();
        else
            row.text("年检合格，保险至年底");
        row.text("管理员").text(date(moment)).insert();
    }
}

void Generator::tasks(int count)
{
    Insert row(m_db, "INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,CAR_RECORD_ID,WORK_TYPE_ID,COMPANY_ID,WORK_ID,STATUS,"
                     "WORK_START_DATE,WORK_END_DATE,WORK_START_TIME,WORK_END_TIME,WORK_PLACE,WORK_CONTENT,WORK_COMPANY,"
                     "WORK_RELATION_MAN,WORK_RELATION_PHONE,WORK_PRICE,WORK_NUMBER,WORK_MONEY,WORK_PAY_MONEY,WORK_OWE_MONEY,"
                     "NOTE,VERIFY_NAME,VERIFY_DATE,CREATE_NAME,CREATE_DATE,EDIT_NAME,EDIT_DATE) "
                     "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    std::array<int, 4> counters{};
    m_taskIds.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QDateTime moment = momentOf(i, count);
        const size_t vehicle = m_random() % m_vehicleIds.size();
        const double price = between(20, 120) * 10.0;
        const double units = between(1, 12);
        const double amount = price * units;
        const double paid = m_random() % 3 ? amount : std::floor(amount * between(0, 9) / 10.0);
        const bool done = i < count - count / 20 || m_random() % 2;
        m_taskIds.push_back(key("C", moment, i));
        char start[8], end[8];
        std::snprintf(start, sizeof start, "%02d:%02d", between(6, 11), between(0, 5) * 10);
        std::snprintf(end, sizeof end, "%02d:%02d", between(13, 20), between(0, 5) * 10);
        row.text(m_taskIds.back()).text(m_vehicleIds[vehicle]).text("W" + std::to_string(between(1, int(WorkTypes.size()))))
            .text(m_vehicleDepartments[vehicle]).text(yearly(counters, moment)).text(done ? "已完工" : "未完工")
            .text(date(moment)).text(date(moment.addDays(between(0, 2)))).text(start).text(end).text(pick(Places))
            .text(pick(Contents)).text(pick(Customers)).text(personName()).text(phone()).number(price).number(units)
            .number(amount).number(paid).number(amount - paid);
        if (i % 7 == 0)
            row.text("客户要求提前半小时到场，注意现场安全");
        else
            row.null();
        if (done)
            row.text(personName()).text(date(moment.addDays(3)));
        else
            row.null().null();
        row.text(personName()).text(date(moment)).null().null().insert();
    }
}

void Generator::repairs(int count)
{
    Insert row(m_db, "INSERT INTO QX_CAR_REPAIR_TABLE(CAR_REPAIR_ID,CAR_RECORD_ID,REPAIR_TYPE_ID,COMPANY_ID,REPAIR_ID,STATUS,"
                     "CAR_REPAIR_DATE,CAR_REPAIR_PLACE,CAR_REPAIR_PART,CAR_REPAIR_MAN,CAR_REPAIR_HARDWARE,CAR_HARDWARE_MONEY,"
                     "CAR_SERVER_MONEY,CAR_REPAIR_MONEY,CAR_REPAIR_PAY_MONEY,CAR_REPAIR_OWE_MONEY,EMPLOYEE_NAME,NOTE,"
                     "CREATE_NAME,CREATE_DATE) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    std::array<int, 4> counters{};
    m_repairIds.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QDateTime moment = momentOf(i, count).addSecs(1800);
        const size_t vehicle = m_random() % m_vehicleIds.size();
        const double hardware = between(5, 400) * 10.0;
        const double labour = between(5, 100) * 10.0;
        const double paid = m_random() % 4 ? hardware + labour : 0.0;
        m_repairIds.push_back(key("B", moment, i));
        row.text(m_repairIds.back()).text(m_vehicleIds[vehicle]).text("R" + std::to_string(between(1, int(RepairTypes.size()))))
            .text(m_vehicleDepartments[vehicle]).text(yearly(counters, moment)).text(m_random() % 5 ? "已审核" : "未审核")
            .text(date(moment)).text(pick(RepairPlaces)).text(pick(RepairParts)).text(personName()).text(pick(Materials))
            .number(hardware).number(labour).number(hardware + labour).number(paid).number(hardware + labour - paid)
            .text(personName());
        if (i % 5 == 0)
            row.text("更换配件后试车正常");
        else
            row.null();
        row.text(personName()).text(date(moment)).insert();
    }
}

void Generator::money(int count)
{
    Insert row(m_db, "INSERT INTO QX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_TYPE_ID,COMPANY_ID,CAR_RECORD_ID,CAR_WORK_ID,"
                     "MONEY_TYPE,MONEY_DATE,MONEY_NAME,MONEY_ID,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,EMPLOYEE_NAME,STATUS,"
                     "CREATE_NAME,CREATE_DATE) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < count; ++i) {
        const QDateTime moment = momentOf(i, count).addSecs(3600);
        const size_t vehicle = m_random() % m_vehicleIds.size();
        const int kind = int(m_random() % 10);
        const bool income = kind < 6;
        const double amount = between(10, 3000) * 10.0;
        char voucher[32];
        std::snprintf(voucher, sizeof voucher, "PZ%04d-%07d", moment.date().year(), i + 1);
        row.text(key("M", moment, i)).text("M" + std::to_string(income ? between(1, 2) : between(3, 6)))
            .text(m_vehicleDepartments[vehicle]).text(m_vehicleIds[vehicle]);
        if (kind < 6 && !m_taskIds.empty())
            row.text(m_taskIds[m_random() % m_taskIds.size()]);
        else if (kind < 8 && !m_repairIds.empty())
            row.text(m_repairIds[m_random() % m_repairIds.size()]);
        else
            row.null();
        row.text(income ? "收入" : "支出").text(date(moment)).text(income ? pick(Customers) : pick(MoneyTypes)).text(voucher);
        if (income)
            row.number(amount).null();
        else
            row.null().number(amount);
        row.text(personName()).text(m_random() % 4 ? "已审核" : "未审核").text(personName()).text(date(moment)).insert();
    }
}

} // namespace

QString FleetGenerator::ensure(const QString &baseDir, const FleetCounts &counts)
{
    const QString dataDir = QDir(baseDir).filePath(QStringLiteral("ruvelo-fleet-%1-%2-%3-%4")
                                                       .arg(counts.vehicles).arg(counts.tasks).arg(counts.repairs).arg(counts.money));
    if (QFileInfo::exists(QDir(dataDir).filePath(QLatin1String(CompleteMarker))))
        return dataDir;
    QDir(dataDir).removeRecursively();
    generate(dataDir, counts);
    QFile marker(QDir(dataDir).filePath(QLatin1String(CompleteMarker)));
    if (!marker.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot write %1").arg(marker.fileName()));
    return dataDir;
}

void FleetGenerator::generate(const QString &dataDir, const FleetCounts &counts)
{
    Installation::createDatabase(dataDir);
    Database db(SqliteEngine::filePath(dataDir));
    Generator(db).run(counts);
}

// The work-task query as the work-task screen sets it up with task numbering on.
void FleetGenerator::configureWorkQuery(TQXQuery &query)
{
    query.setObjectName(QStringLiteral("Query"));
    query.setTableName(QStringLiteral("QX_CAR_WORK_TABLE"));
    QStringList columns;
    for (const ColumnInfo &column : DatabaseEngine::byName(MainDatabaseName).columns(QStringLiteral("QX_CAR_WORK_TABLE")))
        columns << column.name;
    query.UpdateSQL.ModifySQL = QStringList{QStringLiteral("update QX_CAR_WORK_TABLE"), QStringLiteral("set")};
    for (const QString &column : columns)
        query.UpdateSQL.ModifySQL << QStringLiteral("  %1 = :%1%2").arg(column, column == columns.last() ? QString() : QStringLiteral(","));
    query.UpdateSQL.ModifySQL << QStringLiteral("where") << QStringLiteral("  CAR_WORK_ID = :OLD_CAR_WORK_ID");
    query.UpdateSQL.InsertSQL = QStringList{QStringLiteral("insert into QX_CAR_WORK_TABLE"),
                                            QStringLiteral("  (") + columns.join(QStringLiteral(", ")) + QLatin1Char(')'),
                                            QStringLiteral("values"),
                                            QStringLiteral("  (:") + columns.join(QStringLiteral(", :")) + QLatin1Char(')')};
    query.UpdateSQL.DeleteSQL = QStringList{QStringLiteral("delete from QX_CAR_WORK_TABLE"), QStringLiteral("where"),
                                            QStringLiteral("  CAR_WORK_ID = :OLD_CAR_WORK_ID")};
    query.UserName = QStringLiteral("张三");
    query.Clock = [] { return QDateTime(QDate(2006, 8, 31), QTime::currentTime()); };

    TInsertData name;
    name.FieldName = QStringLiteral("CREATE_NAME");
    name.Kind = QStringLiteral("A");
    name.Value = query.UserName;
    TInsertData status;
    status.FieldName = QStringLiteral("STATUS");
    status.Kind = QStringLiteral("A");
    status.Value = QStringLiteral("未完工");
    TInsertData key;
    key.FieldName = QStringLiteral("CAR_WORK_ID");
    key.Kind = QStringLiteral("T");
    key.Prefix = QStringLiteral("C");
    key.Width = 12;
    TInsertData number;
    number.FieldName = QStringLiteral("WORK_ID");
    number.Kind = QStringLiteral("Y");
    number.Width = 10;
    query.InsertData = {name, TInsertData::workingDate(QStringLiteral("CREATE_DATE")),
                        TInsertData::workingDate(QStringLiteral("WORK_START_DATE")), status, key, number};

    const auto unique = [](const QString &field, const QString &message) {
        TCheckData check;
        check.Items = {TCheckItem{field, field, {}, {}, QStringLiteral("C")}};
        check.TriggerField = field;
        check.SqlHead = QStringLiteral("SELECT ") + field + QStringLiteral(" FROM QX_CAR_WORK_TABLE WHERE ");
        check.Message = message;
        check.Unique = true;
        return check;
    };
    query.CheckData = {unique(QStringLiteral("CAR_WORK_ID"), QStringLiteral("纪录编号重复")),
                       unique(QStringLiteral("WORK_ID"), QStringLiteral("已有此工作任务编号,任务编号重复"))};
}

void FleetGenerator::addBenchTask(TQXQuery &work)
{
    work.AppendRecord();
    work.fieldByName(QStringLiteral("CAR_RECORD_ID")).setAsText(QStringLiteral("A020301100000000"));
    work.fieldByName(QStringLiteral("WORK_PLACE")).setAsText(QStringLiteral("港口码头"));
    work.fieldByName(QStringLiteral("WORK_CONTENT")).setAsText(QStringLiteral("钢材吊装"));
    work.fieldByName(QStringLiteral("WORK_MONEY")).setAsText(QStringLiteral("1200"));
    work.fieldByName(QStringLiteral("NOTE")).setAsText(QStringLiteral("bench"));
    work.SaveRecord();
    if (!work.SaveOK())
        std::printf("# save failed\n");
}
