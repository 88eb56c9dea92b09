// The virtual converter over any bytes a client sends: whole requests taken
// in order, a length no request can have drops the client, and each request
// of the Modbus protocol gets one well-formed answer to it, in order. libmodbus
// reads nothing past the bytes (they end at a page no one may read, since
// libmodbus is not instrumented) and discards nothing of the client's (a byte
// waiting on the socket is still there).
#include "params/UParGen_File.h"
#include "check/UModbus_Map.h"
#include "sim/USim_Frames.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

int Word(const uint8_t *at)
{
    return (at[0] << 8) | at[1];
}

// Set Communication's defaults served, libmodbus answering into one end of a
// socket pair and the answers read from the other.
struct TConverter
{
    TSim_Registers Registers;
    modbus_t *Context = modbus_new_tcp(nullptr, 0);
    int Server = -1;
    int Client = -1;
    size_t Page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    size_t Room = 1 << 20;
    uint8_t *Bytes = nullptr;   // Room bytes, then the page no one may read

    TConverter()
    {
        QStringList problems;
        QString error;
        int sides[2];
        Check(Registers.Build(Modbus_Map_Of(ParGen_Defaults(), Default_Block_Count, problems), 0, error)
              && Context && socketpair(AF_UNIX, SOCK_STREAM, 0, sides) == 0);
        Server = sides[0];
        Client = sides[1];
        const int buffer = 1 << 22;
        setsockopt(Server, SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
        Check(fcntl(Server, F_SETFL, O_NONBLOCK) == 0 && fcntl(Client, F_SETFL, O_NONBLOCK) == 0);
        modbus_set_socket(Context, Server);
        void *region = mmap(nullptr, Room + Page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        Check(region != MAP_FAILED);
        Bytes = static_cast<uint8_t *>(region);
        Check(mprotect(Bytes + Room, Page, PROT_NONE) == 0);
    }
};

// The functions libmodbus answers for the converter (01 to 06, 15, 16, 22, 23).
bool Supported(int function)
{
    return (function >= 0x01 && function <= 0x06) || function == 0x0F || function == 0x10
           || function == 0x16 || function == 0x17;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static TConverter converter;
    if (size > converter.Room)
        return 0;
    uint8_t *bytes = converter.Bytes + converter.Room - size;
    if (size)
        std::memcpy(bytes, data, size);
    const uint8_t waiting = 0x5A;
    Check(write(converter.Client, &waiting, 1) == 1);

    const TSim_Taken taken = Sim_Take_Requests(bytes, static_cast<int>(size), converter.Context,
                                               converter.Registers, false);

    uint8_t left = 0;
    Check(read(converter.Server, &left, 1) == 1 && left == waiting);
    std::vector<uint8_t> answers;
    uint8_t chunk[65536];
    for (ssize_t got; (got = read(converter.Client, chunk, sizeof chunk)) > 0;)
        answers.insert(answers.end(), chunk, chunk + got);

    // The requests as their headers frame them.
    std::vector<size_t> starts;
    size_t at = 0;
    bool unframeable = false;
    while (size - at >= 7) {
        const size_t length = 6 + static_cast<size_t>(Word(bytes + at + 4));
        unframeable = length < 8 || length > static_cast<size_t>(Sim_Max_Request);
        if (unframeable || size - at < length)
            break;
        starts.push_back(at);
        at += length;
    }
    Check(taken.Bytes >= 0 && static_cast<size_t>(taken.Bytes) <= at);
    Check(!unframeable || taken.Drop);
    Check(taken.Drop || (static_cast<size_t>(taken.Bytes) == at
                         && static_cast<size_t>(taken.Requests) == starts.size()));

    // One answer for each request taken, in order; an answer the socket did
    // not take whole ends them.
    size_t read_at = 0;
    for (int i = 0; i < taken.Requests; ++i) {
        const uint8_t *request = bytes + starts[static_cast<size_t>(i)];
        if (Word(request + 2) != 0)
            continue;
        if (answers.size() - read_at < 8
            || answers.size() - read_at < 6 + static_cast<size_t>(Word(answers.data() + read_at + 4))) {
            Check(taken.Drop);
            return 0;
        }
        const uint8_t *answer = answers.data() + read_at;
        const int length = Word(answer + 4);
        const int function = request[7];
        Check(Word(answer) == Word(request) && Word(answer + 2) == 0 && answer[6] == request[6]
              && length >= 3);
        if (answer[7] == (function | 0x80))
            Check(length == 3 && answer[8] >= 1 && answer[8] <= 4 && (Supported(function) || answer[8] == 1));
        else
            Check(answer[7] == function && Supported(function));
        if (answer[7] == 0x03 || answer[7] == 0x04)
            Check(answer[8] == 2 * Word(request + 10) && length == 3 + answer[8]);
        read_at += 6 + static_cast<size_t>(length);
    }
    Check(read_at == answers.size());
    return 0;
}
