#pragma once

#include "KztTestSupport.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kzt::testsupport {

// A built program left running in a child process (a --serve job): its
// standard output read through a pipe, its standard error kept in a file.
class ServedProgram
{
public:
    ServedProgram(const std::string& name, const std::vector<std::string>& args, const std::filesystem::path& workDir,
                  const std::vector<std::pair<std::string, std::string>>& environment,
                  const std::filesystem::path& errFile)
        : m_errFile(errFile)
    {
        int pipes[2];
        if (::pipe2(pipes, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe failed");
        const std::string program = std::string(KZT_BINARY_DIR) + "/" + name + "/" + name;
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(pipes[1], 1);
            const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(err, 2);
            const int in = ::open("/dev/null", O_RDONLY);
            ::dup2(in, 0);
            if (::chdir(workDir.c_str()) != 0)
                ::_exit(126);
            for (const auto& [variable, value] : environment)
                ::setenv(variable.c_str(), value.c_str(), 1);
            std::vector<char*> pointers;
            for (std::string& arg : argv)
                pointers.push_back(arg.data());
            pointers.push_back(nullptr);
            ::execv(program.c_str(), pointers.data());
            ::_exit(127);
        }
        ::close(pipes[1]);
        m_out = pipes[0];
    }
    ~ServedProgram()
    {
        if (m_pid > 0 && !m_ended) {
            ::kill(m_pid, SIGKILL);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
        ::close(m_out);
    }
    ServedProgram(const ServedProgram&) = delete;
    ServedProgram& operator=(const ServedProgram&) = delete;

    // The first line of standard output, without its line break; empty when
    // none comes in time.
    std::string firstLine(std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (m_output.find('\n') == std::string::npos) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return {};
            pollfd p{m_out, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return {};
            char buffer[4096];
            const ssize_t n = ::read(m_out, buffer, sizeof buffer);
            if (n <= 0)
                return {};
            m_output.append(buffer, static_cast<std::size_t>(n));
        }
        return m_output.substr(0, m_output.find('\n'));
    }

    // Sends the signal and waits for the end; the exit code, or -signal.
    int stop(int signal, std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        ::kill(m_pid, signal);
        const auto end = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (::waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > end) {
                ::kill(m_pid, SIGKILL);
                ::waitpid(m_pid, &status, 0);
                m_ended = true;
                return -1000;
            }
            ::poll(nullptr, 0, 10);
        }
        m_ended = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

    std::string err() const { return readFile(m_errFile); }

private:
    std::filesystem::path m_errFile;
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_ended = false;
    std::string m_output;
};

} // namespace kzt::testsupport
