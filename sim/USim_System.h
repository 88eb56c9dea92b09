#pragma once
// What the virtual converter needs from the system, one branch per system:
// listening TCP sockets, waiting on many sockets at once, and a stop asked
// by the user (Ctrl+C or SIGTERM; on Windows Ctrl+C or the console closing).
// Sockets are ints, as libmodbus keeps them, and No_Socket is the Modbus
// client's.

#include "platform/UModbus_Socket.h"

#include <QString>
#include <cstdint>
#include <vector>

// Starts the system's socket layer (Windows) and keeps a vanished client
// from ending the program (SIGPIPE elsewhere); false with error.
bool Sim_Start_Network(QString &error);

// A non-blocking socket listening at address (first octet in the top byte)
// and port, or No_Socket with error saying why in words a user acts on: the
// port taken, the address not on this machine, a port that needs rights.
int Sim_Listen(uint32_t address, uint16_t port, QString &error);

enum class TSim_Accepted
{
    Client,           // client holds it, non-blocking
    None,             // no connection waits (or it went before it was taken)
    Out_Of_Sockets,   // the program or the system has no descriptor or buffer left for it
};

// Takes a connection waiting at the listener.
TSim_Accepted Sim_Accept(int listener, int &client);

void Sim_Close(int socket);

// Reads what a client sent, up to size bytes: how many, 0 when it closed the
// connection or failed, -1 when nothing was there after all.
int Sim_Receive(int socket, uint8_t *bytes, int size);

// True when the socket took all length bytes at once; a client that reads no
// answers is not waited for.
bool Sim_Send(int socket, const uint8_t *bytes, int length);

struct TSim_Wait
{
    int Socket = No_Socket;
    bool Ready = false;   // readable, closed or failed: worth a look
};

// Waits at most timeoutMs until one of the sockets is ready, or a signal
// comes; marks the ready ones.
void Sim_Wait(std::vector<TSim_Wait> &sockets, int timeoutMs);

// From here on a stop asked by the user sets Sim_Stop_Requested instead of
// ending the program.
void Sim_Catch_Stop();
bool Sim_Stop_Requested();
// Says that everything is closed: on Windows, a console that is closing
// waits for this before it ends the program.
void Sim_Stopped();
