#pragma once
// One running workstation: the message services, the interpreter and the model behind it,
// started in the fixed start-up order. The program, the tests and the benchmarks all start
// through it; the shell joins with its own command rows.

#include <span>

#include "db/database.hpp"
#include "db/record_names.hpp"
#include "db/settings.hpp"
#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"
#include "render/drawing_threads.hpp"
#include "render/renderer.hpp"
#include "render/views.hpp"
#include "script/command_install.hpp"
#include "script/interp.hpp"

namespace rz::workstation {

class Workstation {
  public:
    explicit Workstation(platform::MessageSink& sink);
    Workstation(const Workstation&) = delete;
    Workstation& operator=(const Workstation&) = delete;

    // Runs every step of start-up in order. A store that cannot be had, or command rows
    // that do not fit the command table, end the program with their message.
    void start(const db::Settings& settings, std::span<const script::CommandRows> shellRows = {});

    platform::MessageService msg;
    script::Interp interp;
    db::Settings settings;  // as read at start-up
    db::Database db;
    render::Views views;        // the wireframe views and the image they draw into
    render::Renderer renderer;  // the software renderer's state and work areas
    // The drawing workers; they end before anything they use goes.
    render::DrawingThreads threads;

  private:
    void allocateModel();
    void allocateLanguage();
    void startRecords();
    void registerSymbols();
    void installCommands(std::span<const script::CommandRows> shellRows);
    void putDefaults();
    void startViews();
    void startRenderer();
    void connectRecordNames();
    void keepStartDirectory();

    db::RecordNames recordNames_{db};
};

}  // namespace rz::workstation
