// The Modbus TCP check against an answering slave on the loopback: one check
// of the default map without echo (three single registers and two blocks of
// eight), and velmora-cli probe --all --no-echo over 200 configurations, as
// the user waits for it. The slave is the benchmark's own, on libmodbus's
// server side: one thread serving every connection on 127.0.0.1.
#include "bench/UBench_Figures.h"
#include "common/UXmlDoc.h"
#include "params/UParGen_File.h"
#include "update/UModbus_Check.h"

#include <modbus.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#define closesocket close
#endif

namespace {

constexpr int Rounds = 51;
constexpr int Probe_Rounds = 5;
constexpr int Configurations = 200;

// A slave with input and holding registers 0..99, serving every client of
// its listening socket until it goes.
class TBench_Slave
{
public:
    TBench_Slave()
    {
        m_modbus = modbus_new_tcp("127.0.0.1", 0);
        m_registers = modbus_mapping_new_start_address(0, 0, 0, 0, 0, 100, 0, 100);
        if (!m_modbus || !m_registers)
            return;
        m_listener = modbus_tcp_listen(m_modbus, 256);
        sockaddr_in bound = {};
        socklen_t size = sizeof(bound);
        if (m_listener < 0 || getsockname(m_listener, reinterpret_cast<sockaddr *>(&bound), &size) != 0)
            return;
        Port = ntohs(bound.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~TBench_Slave()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listener >= 0)
            closesocket(m_listener);
        if (m_registers)
            modbus_mapping_free(m_registers);
        if (m_modbus)
            modbus_free(m_modbus);
    }
    TBench_Slave(const TBench_Slave &) = delete;
    TBench_Slave &operator=(const TBench_Slave &) = delete;

    uint16_t Port = 0;

private:
    void Serve()
    {
        std::vector<int> clients;
        uint8_t request[MODBUS_TCP_MAX_ADU_LENGTH];
        while (!m_stop) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(m_listener, &ready);
            int highest = m_listener;
            for (const int client : clients) {
                FD_SET(client, &ready);
                highest = std::max(highest, client);
            }
            timeval wait = {0, 100000};
            if (select(highest + 1, &ready, nullptr, nullptr, &wait) <= 0)
                continue;
            if (FD_ISSET(m_listener, &ready)) {
                const int client = int(accept(m_listener, nullptr, nullptr));
                if (client >= 0)
                    clients.push_back(client);
            }
            for (auto it = clients.begin(); it != clients.end();) {
                if (!FD_ISSET(*it, &ready)) {
                    ++it;
                    continue;
                }
                modbus_set_socket(m_modbus, *it);
                const int size = modbus_receive(m_modbus, request);
                if (size > 0)
                    modbus_reply(m_modbus, request, size, m_registers);
                if (size < 0) {
                    closesocket(*it);
                    it = clients.erase(it);
                } else {
                    ++it;
                }
            }
        }
        for (const int client : clients)
            closesocket(client);
    }

    modbus_t *m_modbus = nullptr;
    modbus_mapping_t *m_registers = nullptr;
    int m_listener = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The values of a configuration at 127.0.0.1:port, otherwise the defaults.
QByteArray Loopback_ParGen(uint16_t port)
{
    TParGen_Values values = ParGen_Defaults();
    values[PG_ModbusTCPSlave_IP1].Text = QStringLiteral("127");
    values[PG_ModbusTCPSlave_IP2].Text = QStringLiteral("0");
    values[PG_ModbusTCPSlave_IP3].Text = QStringLiteral("0");
    values[PG_ModbusTCPSlave_IP4].Text = QStringLiteral("1");
    values[PG_ModbusTCPSlave_Port].Text = QString::number(port);
    TXMLDocument doc;
    Compile_XML_Parameter(doc, values);
    return doc.To_Bytes();
}

bool Bench_Probe(uint16_t port)
{
    QTemporaryDir folder;
    const QByteArray parGen = Loopback_ParGen(port);
    for (int i = 0; i < Configurations; ++i) {
        const QString project = folder.filePath(QStringLiteral("PROJECTS/Line %1").arg(i, 3, 10, QLatin1Char('0')));
        QString error;
        if (!QDir().mkpath(project) || !Save_Whole_File(ParGen_File_Path(project), parGen, &error)) {
            std::fprintf(stderr, "cannot make the configurations: %s\n", qPrintable(error));
            return false;
        }
    }
    QList<double> runs;
    for (int round = 0; round < Probe_Rounds; ++round) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral(VELMORA_DIST_DIR "/velmora-cli"),
                      {"--folder", folder.path(), "probe", "--all", "--no-echo"});
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0) {
            std::fprintf(stderr, "velmora-cli probe --all failed: %s\n", process.readAllStandardError().constData());
            return false;
        }
        runs.append(clock.nsecsElapsed() / 1e6);
    }
    Print_Figure("velmora-cli probe --all --no-echo (200)", runs, "ms");
    return true;
}

} // namespace

bool Bench_Modbus()
{
    TBench_Slave slave;
    if (slave.Port == 0) {
        std::fprintf(stderr, "the benchmark's Modbus slave could not listen on 127.0.0.1\n");
        return false;
    }
    TCheck_Request request;
    QStringList problems;
    request.Map = Modbus_Map_Of(ParGen_Defaults(), Default_Block_Count, problems);
    request.Map.Address = QStringLiteral("127.0.0.1");
    request.Map.Port = slave.Port;
    request.Echo = false;
    QList<double> checks;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        const TCheck_Result result = Run_Modbus_Check(request);
        checks.append(clock.nsecsElapsed() / 1e6);
        if (result.Verdict != TCheck_Verdict::Answers_With_Map) {
            std::fprintf(stderr, "check round %d: %s\n", round + 1, qPrintable(result.Steps.last().Text));
            return false;
        }
    }
    std::printf("Modbus TCP check against a libmodbus slave on 127.0.0.1 (no echo):\n");
    Print_Figure("one check, default map (3 x 1 + 2 x 8)", checks, "ms");
    return Bench_Probe(slave.Port);
}
