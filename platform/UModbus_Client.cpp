#include "platform/UModbus_Client.h"

#include <modbus.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

int Ms_Left(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::max<decltype(left)>(0, left));
}

TModbus_Reply Reply_Of(TReply_Outcome outcome, const QString &error = QString())
{
    TModbus_Reply reply;
    reply.Outcome = outcome;
    reply.Error = error;
    return reply;
}

} // namespace

TModbus_Client::TModbus_Client()
{
    m_sockets_started = Sockets_Start(m_start_error);
    // The address and port given here are used only by libmodbus's own
    // connect, which the client does not call.
    m_modbus = modbus_new_tcp(nullptr, 0);
    if (!m_modbus) {
        m_start_error = QStringLiteral("libmodbus: %1").arg(QString::fromLocal8Bit(modbus_strerror(errno)));
        return;
    }
    // A fault is reported as it is: libmodbus must neither reconnect nor
    // flush and retry behind the client's back.
    modbus_set_error_recovery(m_modbus, MODBUS_ERROR_RECOVERY_NONE);
    // The whole answer within the time of the request, however it trickles in.
    modbus_set_byte_timeout(m_modbus, 0, 0);
}

TModbus_Client::~TModbus_Client()
{
    Close();
    if (m_modbus)
        modbus_free(m_modbus);
    if (m_sockets_started)
        Sockets_Stop();
}

void TModbus_Client::Cancel()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_cancelled = true;
    if (m_socket != No_Socket)
        Socket_Shutdown(m_socket);
}

void TModbus_Client::Close()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (m_socket == No_Socket)
        return;
    if (m_modbus)
        modbus_set_socket(m_modbus, -1);
    Socket_Close(m_socket);
    m_socket = No_Socket;
}

int TModbus_Client::Wait_Ready(bool writable, int timeoutMs, int &code)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (m_cancelled)
            return -1;
        const int left = Ms_Left(deadline);
        if (left == 0)
            return 0;
        const int ready = Socket_Wait(m_socket, writable, std::min(left, Wait_Slice_Ms), code);
        if (ready != 0)
            return ready;
    }
}

TConnect_Result TModbus_Client::Connect(uint32_t address, uint16_t port, int timeoutMs)
{
    TConnect_Result result;
    if (m_cancelled) {
        result.Outcome = TConnect_Outcome::Cancelled;
        return result;
    }
    if (!m_sockets_started || !m_modbus) {
        result.Error = m_start_error;
        return result;
    }
    Close();
    bool pending = false;
    int code = 0;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_socket = Socket_Connect_Begin(address, port, pending, code);
    }
    if (m_socket == No_Socket) {
        result.Error = qt_error_string(code);
        return result;
    }
    if (pending) {
        const int ready = Wait_Ready(true, timeoutMs, code);
        // A cancel ends the connect however far it got: a connection that
        // became ready meanwhile is not used.
        if (m_cancelled)
            result.Outcome = TConnect_Outcome::Cancelled;
        else if (ready == 0)
            result.Outcome = TConnect_Outcome::Timed_Out;
        else if (ready < 0)
            result.Error = qt_error_string(code);
        if (m_cancelled || ready <= 0) {
            Close();
            return result;
        }
        code = Socket_Connect_Error(m_socket);
    }
    result.Outcome = Connect_Outcome_Of(code);
    if (result.Outcome != TConnect_Outcome::Connected) {
        result.Error = qt_error_string(code);
        Close();
        return result;
    }
    modbus_set_socket(m_modbus, m_socket);
    m_transaction = 0;
    return result;
}

TModbus_Reply TModbus_Client::Read_Registers(uint8_t unit, int function, uint16_t start,
                                             uint16_t count, int timeoutMs)
{
    if (m_cancelled)
        return Reply_Of(TReply_Outcome::Cancelled);
    if (m_socket == No_Socket)
        return Reply_Of(TReply_Outcome::Failed, QStringLiteral("not connected"));
    if ((function != MODBUS_FC_READ_HOLDING_REGISTERS && function != MODBUS_FC_READ_INPUT_REGISTERS)
        || count < 1 || count > MODBUS_MAX_READ_REGISTERS)
        return Reply_Of(TReply_Outcome::Failed,
                        QStringLiteral("no read of %1 registers with function %2").arg(count).arg(function));
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const TRead_Request request = Read_Request(++m_transaction, unit, uint8_t(function), start, count);
    int code = 0;
    const int sent = Socket_Send(m_socket, request.data(), int(request.size()), code);
    if (m_cancelled)
        return Reply_Of(TReply_Outcome::Cancelled);
    if (sent < 0)
        return Reply_Of(Is_Connection_Reset(code) ? TReply_Outcome::Closed : TReply_Outcome::Failed,
                        qt_error_string(code));
    if (sent != int(request.size()))
        return Reply_Of(TReply_Outcome::Failed, QStringLiteral("only %1 of the request's %2 bytes went out")
                                                    .arg(sent)
                                                    .arg(request.size()));

    const int ready = Wait_Ready(false, Ms_Left(deadline), code);
    if (m_cancelled)
        return Reply_Of(TReply_Outcome::Cancelled);
    if (ready == 0)
        return Reply_Of(TReply_Outcome::No_Answer);
    if (ready < 0)
        return Reply_Of(TReply_Outcome::Failed, qt_error_string(code));
    const int peeked = Socket_Peek(m_socket, code);
    if (peeked == 0 || (peeked < 0 && Is_Connection_Reset(code)))
        return Reply_Of(TReply_Outcome::Closed, peeked < 0 ? qt_error_string(code) : QString());
    if (peeked < 0)
        return Reply_Of(TReply_Outcome::Failed, qt_error_string(code));

    // The answer has begun: libmodbus reads it whole, by its function's rule,
    // within what is left of the time.
    const int left = std::max(1, Ms_Left(deadline));
    modbus_set_response_timeout(m_modbus, uint32_t(left / 1000), uint32_t(left % 1000) * 1000);
    uint8_t frame[MODBUS_TCP_MAX_ADU_LENGTH];
    errno = 0;
    const int size = modbus_receive_confirmation(m_modbus, frame);
    const int error = errno;
    if (m_cancelled)
        return Reply_Of(TReply_Outcome::Cancelled);
    if (size >= 8) {
        TModbus_Reply reply = Reply_Of_Frame(frame, size);
        reply.Request_Transaction = m_transaction;
        return reply;
    }
    if (error == ETIMEDOUT)
        return Reply_Of(TReply_Outcome::Cut_Short);
    if (error == ECONNRESET)
        return Reply_Of(TReply_Outcome::Closed_Mid_Reply);
    if (error == EMBBADDATA)
        return Reply_Of(TReply_Outcome::Too_Long);
    // libmodbus leaves a failed receive's code where the system put it.
    code = error ? error : Socket_Last_Error();
    if (Is_Connection_Reset(code))
        return Reply_Of(TReply_Outcome::Closed_Mid_Reply, qt_error_string(code));
    return Reply_Of(TReply_Outcome::Failed, error >= MODBUS_ENOBASE
                                                ? QString::fromLocal8Bit(modbus_strerror(error))
                                                : qt_error_string(code));
}
