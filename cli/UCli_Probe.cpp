// probe: the Modbus TCP check of each configuration, as many at once as
// Probe_At_Once, each appending its block to the configuration's Check.log
// (a configuration that cannot be checked too, with the reason).
// One line per configuration (or one table row with --csv) in the order
// given, each as soon as it and those before it are done.
#include "cli/UCli_Commands.h"
#include "console/UConsole_Configurations.h"
#include "console/UConsole_Output.h"
#include "common/UCsv_Table.h"

#include "check/UCheck_Log.h"

#include <QDir>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Checks mostly wait on the network, so many run side by side; and no more,
// so a plant's worth does not open hundreds of connections at one time.
constexpr int Probe_At_Once = 32;

struct TProbe_Job
{
    QString Name;
    TCheck_Request Request;
    QString Log_File;
    QString Problem;   // why the configuration cannot be checked
    // Filled by the worker that runs it.
    TCheck_Result Result;
    QString Log_Error;
    bool Done = false;
};

// "read data 2 ms" when it passed, otherwise what happened (and for a
// block, where it was read).
QString Step_Part(const TCheck_Step &step)
{
    switch (step.State) {
    case TStep_State::Passed:
        return QStringLiteral("%1 %2 ms").arg(Step_Name(step)).arg(step.Ms);
    case TStep_State::Not_Run:
    case TStep_State::Pending:
        return Step_Name(step) + QStringLiteral(": ") + step.Text;
    default:
        break;
    }
    const QString place = step.Kind == TStep_Kind::Read ? QStringLiteral(", ") + Block_Place(step.Block)
                                                        : QString();
    return QStringLiteral("%1%2: %3, %4 ms").arg(Step_Name(step), place, step.Text).arg(step.Ms);
}

QString Probe_Line(const TProbe_Job &job)
{
    const TCheck_Request &request = job.Request;
    QString where = QStringLiteral("%1:%2, unit %3").arg(request.Map.Address, QString::number(request.Map.Port), QString::number(request.Unit));
    if (request.Source != QLatin1String("ParGen.xml"))
        where += QStringLiteral(" (%1)").arg(request.Source);
    QStringList parts{where};
    const QList<TCheck_Step> &steps = job.Result.Steps;
    for (int i = 0; i < steps.size(); ++i) {
        const TCheck_Step &step = steps.at(i);
        if (step.Kind == TStep_Kind::Verdict) {
            parts << step.Text;
        } else if (step.State == TStep_State::Not_Run && step.Kind != TStep_Kind::Echo) {
            // Blocks not asked for one reason share one part.
            QStringList names{Step_Name(step)};
            while (steps.at(i + 1).State == TStep_State::Not_Run && steps.at(i + 1).Text == step.Text)
                names << Step_Name(steps.at(++i));
            parts << names.join(QStringLiteral(", ")) + QStringLiteral(": ") + step.Text;
        } else if (step.Kind != TStep_Kind::Echo || request.Echo) {
            parts << Step_Part(step);
        }
    }
    return job.Name + QStringLiteral(": ") + parts.join(QStringLiteral("; "));
}

const TRegister_Role Table_Roles[] = {TRegister_Role::Read_Data, TRegister_Role::Status_Word,
                                      TRegister_Role::Byte_Count, TRegister_Role::Write_Data,
                                      TRegister_Role::Control_Word};

int Table_Count(TRegister_Role role, int count)
{
    return role == TRegister_Role::Read_Data || role == TRegister_Role::Write_Data ? count : 1;
}

QStringList Table_Header(int count)
{
    QStringList header{"Name", "Address", "Port", "Unit", "Values", "Echo", "Connect"};
    for (const TRegister_Role role : Table_Roles) {
        const QString name = Role_Name(role);
        header << name + QStringLiteral(" function") << name + QStringLiteral(" start")
               << name + QStringLiteral(" result");
        for (int i = 1; i <= Table_Count(role, count); ++i)
            header << QStringLiteral("%1 %2").arg(name, QString::number(i));
    }
    return header << QStringLiteral("Verdict") << QStringLiteral("Time ms");
}

QString Step_Cell(const TCheck_Step &step)
{
    if (step.State == TStep_State::Not_Run || step.State == TStep_State::Pending)
        return step.Text;
    return QStringLiteral("%1, %2 ms").arg(step.Text, QString::number(step.Ms));
}

// One row: a register's cell holds its value in decimal, or the exception
// that refused it; the block's result cell says what happened.
QStringList Table_Row(const TProbe_Job &job, int count)
{
    const TCheck_Result &result = job.Result;
    const TCheck_Request &request = job.Request;
    QStringList row{job.Name, request.Map.Address, QString::number(request.Map.Port),
                    QString::number(request.Unit), request.Source, Step_Cell(result.Steps.at(Echo_Step)),
                    Step_Cell(result.Steps.at(Connect_Step))};
    for (const TRegister_Role role : Table_Roles) {
        const auto found = std::find_if(result.Steps.begin(), result.Steps.end(), [role](const TCheck_Step &step) {
            return step.Kind == TStep_Kind::Read && step.Block.Role == role;
        });
        const int cells = Table_Count(role, count);
        if (found == result.Steps.end()) {
            row << QStringList(3 + cells);
            continue;
        }
        row << QString::number(found->Block.Function) << QString::number(found->Block.Start) << Step_Cell(*found);
        for (int i = 0; i < cells; ++i) {
            if (i < found->Values.size())
                row << QString::number(found->Values.at(i));
            else if (found->Refused())
                row << QStringLiteral("exception ") + Exception_Name(found->Exception);
            else
                row << QString();
        }
    }
    return row << result.Steps.last().Text << QString::number(result.Total_Ms);
}

// Runs the jobs, at most Probe_At_Once at a time (one that cannot be checked
// only has its record written), and hands every job to report in the order
// of the jobs.
void Run_Jobs(std::vector<TProbe_Job> &jobs, const std::function<void(const TProbe_Job &)> &report)
{
    std::mutex lock;
    std::condition_variable finished;
    size_t next = 0;
    const auto work = [&] {
        for (;;) {
            size_t index = 0;
            {
                const std::lock_guard<std::mutex> hold(lock);
                if (next == jobs.size())
                    return;
                index = next++;
            }
            TProbe_Job &job = jobs[index];
            TCheck_Result result;
            if (job.Problem.isEmpty()) {
                result = Run_Recorded_Check(job.Request, job.Log_File, &job.Log_Error);
            } else {
                result = Not_Checked_Result(job.Request, job.Problem);
                Append_Check_Log(job.Log_File, result, &job.Log_Error);
            }
            {
                const std::lock_guard<std::mutex> hold(lock);
                job.Result = result;
                job.Done = true;
            }
            finished.notify_all();
        }
    };
    std::vector<std::thread> workers;
    for (size_t i = 0; i < std::min<size_t>(Probe_At_Once, jobs.size()); ++i)
        workers.emplace_back(work);
    for (const TProbe_Job &job : jobs) {
        std::unique_lock<std::mutex> hold(lock);
        finished.wait(hold, [&job] { return job.Done; });
        hold.unlock();
        report(job);
    }
    for (std::thread &worker : workers)
        worker.join();
}

} // namespace

int Run_Probe(const TCli_Options &options)
{
    bool failed = false;
    std::vector<TProbe_Job> jobs;
    QStringList paths;
    for (const TCli_Configuration &configuration : Chosen_Configurations(options, failed)) {
        // A configuration named twice is checked once: its record is one file.
        if (paths.contains(configuration.Path))
            continue;
        paths << configuration.Path;
        TProbe_Job job;
        job.Name = configuration.Name;
        job.Log_File = Check_Log_Path(configuration.Path);
        QStringList problems;
        if (!Check_Request_Of(configuration.Path, options.Probe.Count, job.Request, problems))
            job.Problem = problems.join(QStringLiteral("; "));
        Apply_Probe_Options(options.Probe, job.Request);
        if (job.Problem.isEmpty())
            job.Problem = Check_Request_Problem(job.Request);
        jobs.push_back(job);
    }
    if (jobs.empty() && !failed) {
        Print_Problem(QStringLiteral("velmora-cli: nothing to check: no configuration in \"%1\"")
                          .arg(QDir::toNativeSeparators(options.Paths.Projects)));
        return Exit_Failed;
    }
    if (options.Csv)
        Write_Result(Csv_Row_Bytes(Table_Header(options.Probe.Count), QLatin1Char(',')));
    Run_Jobs(jobs, [&](const TProbe_Job &job) {
        if (options.Csv)
            Write_Result(Csv_Row_Bytes(Table_Row(job, options.Probe.Count), QLatin1Char(',')));
        else if (!job.Problem.isEmpty())
            Print_Problem(QStringLiteral("%1: not checked: %2").arg(job.Name, job.Problem));
        else
            Print_Result(Probe_Line(job));
        if (!job.Log_Error.isEmpty())
            Print_Problem(job.Name + QStringLiteral(": ") + job.Log_Error);
        failed = failed || job.Result.Verdict != TCheck_Verdict::Answers_With_Map || !job.Log_Error.isEmpty();
    });
    return failed ? Exit_Failed : Exit_Done;
}
