#pragma once
// The few socket calls the Modbus client makes itself, one branch for each
// system (POSIX sockets, Winsock). The client connects and waits on its own
// so that each wait is short and a cancel is seen between two of them; it
// sends its requests itself, and libmodbus reads the answers. Sockets are
// kept as int, as libmodbus keeps them on every system.

#include <QString>
#include <cstdint>

constexpr int No_Socket = -1;

// How a connect ended, told apart as a technician needs it.
enum class TConnect_Outcome { Connected, Refused, Timed_Out, Unreachable, Cancelled, Failed };

// Makes the system's sockets usable for the caller (Winsock counts its
// users); every successful start is matched by one stop.
bool Sockets_Start(QString &error);
void Sockets_Stop();

// A non-blocking TCP socket to address (first part in the top byte) with its
// connect begun. pending tells that the connect goes on (wait for writable);
// otherwise code is 0 for a connect done at once or the system's error code.
// No_Socket, with code, when no socket could be made.
int Socket_Connect_Begin(uint32_t address, uint16_t port, bool &pending, int &code);
// Waits at most ms for the socket to become writable (a connect that ended,
// well or not) or readable: 1 it did, 0 not yet, -1 the wait failed (code).
int Socket_Wait(int socket, bool writable, int ms, int &code);
// The error a connect ended with (0: connected).
int Socket_Connect_Error(int socket);
// Sends size bytes without waiting: how many the system took, or -1 (code).
// A connection the other end closed is an error here, never a signal.
int Socket_Send(int socket, const uint8_t *data, int size, int &code);
// Looks at the next byte without taking it: 1 a byte is there, 0 the other
// end closed the connection, -1 an error (code) or nothing there yet.
int Socket_Peek(int socket, int &code);
// Ends both directions; a thread waiting on the socket wakes up.
void Socket_Shutdown(int socket);
void Socket_Close(int socket);
// The system's error code of the last failed socket call on this thread.
int Socket_Last_Error();
// True for the codes that tell that the other end reset or aborted the connection.
bool Is_Connection_Reset(int code);

TConnect_Outcome Connect_Outcome_Of(int code);
