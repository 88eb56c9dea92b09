#include "app/UPlatform.h"

std::unique_ptr<TRunning_Program> TPlatform::Start_Program(const QString &program,
                                                          const QString &parameters, bool hidden)
{
    return Start_Process(program, parameters, hidden);
}

TEcho_Reply TPlatform::Echo_Request(const QString &host, const QByteArray &data, int timeoutMs)
{
    return ::Echo_Request(host, data, timeoutMs);
}
