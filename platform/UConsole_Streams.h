#pragma once
// For the whole run of a console program, made first thing in main(): on
// Windows both streams binary, so lines end in LF as on every system and
// bytes written whole (a table with CRLF already) leave unchanged, and the
// console shows UTF-8; the console is the user's shell's, so the code page
// it had is given back at the end. Nothing elsewhere.
class TConsole_Streams
{
public:
    TConsole_Streams();
    ~TConsole_Streams();
    TConsole_Streams(const TConsole_Streams &) = delete;
    TConsole_Streams &operator=(const TConsole_Streams &) = delete;

private:
    [[maybe_unused]] unsigned m_code_page = 0;   // 0: no console to give it back to
};
