#include "workstation/workstation.hpp"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "db/init_database.hpp"
#include "script/language_symbols.hpp"
#include "workstation/command_providers.hpp"

namespace rz::workstation {

Workstation::Workstation(platform::MessageSink& sink) : msg(sink), interp(msg) {
    interp.db = &db;
    interp.views = &views;
    threads.attach(interp);
}

void Workstation::start(const db::Settings& s, std::span<const script::CommandRows> shellRows) {
    settings = s;
    allocateModel();
    allocateLanguage();
    startRecords();
    startRenderer();
    registerSymbols();
    installCommands(shellRows);
    putDefaults();
    startViews();
    connectRecordNames();
    keepStartDirectory();
}

void Workstation::allocateModel() {
    db::allocateModelStores(msg, db, settings);
}

// The symbol stores, the string slots, the name area, DB_Symbols and the newexec buffer.
void Workstation::allocateLanguage() {
    if (settings.capacity.scriptmax < 0)
        db::stopStartup(msg, db::allocationFailure(db::kScriptBufferArea));
    if (const std::string_view failed =
            interp.allocate(static_cast<std::size_t>(settings.capacity.scriptmax));
        !failed.empty())
        db::stopStartup(msg, db::allocationFailure(failed));
}

void Workstation::startRecords() {
    db::startModelRecords(msg, db, settings);
    interp.sym.setSlotText(script::SymbolTable::kForcedExtensionSlot, "");
}

// InitRender: after the C-Buffer, which the database allocates with its records.
void Workstation::startRenderer() {
    render::startRenderer(renderer, interp, settings);
}

// Every system variable first; the language's own symbols come last.
void Workstation::registerSymbols() {
    db::registerDatabaseSymbols(interp);
    if (!script::registerLanguageSymbols(interp))
        db::stopStartup(msg, {" ... in init() : symbol!\n", true});
}

void Workstation::installCommands(std::span<const script::CommandRows> shellRows) {
    const std::span<const script::CommandRows> core = coreCommandProviders();
    std::vector<script::CommandRows> providers(core.begin(), core.end());
    providers.insert(providers.end(), shellRows.begin(), shellRows.end());
    if (const script::InstallFault fault = script::installCommands(interp, providers)) {
        const char* why = fault.kind == script::InstallFault::Kind::GivenTwice
                              ? " is given twice"
                              : " is not in the command table";
        db::stopStartup(
            msg,
            {" ... in init() : command \"" + std::string(fault.name) + "\"" + why + "!\n", true});
    }
}

void Workstation::putDefaults() {
    db::putStartDefaults(interp);
}

// The image of the main window's client area, which the views draw into with or without a
// display.
void Workstation::startViews() {
    if (render::startViews(views, interp, settings.window.width, settings.window.height) !=
        render::ImageStatus::Ok)
        db::stopStartup(msg, {std::string(render::kInitializeGfxDetail), true});
}

void Workstation::connectRecordNames() {
    interp.lex.setRecordFinder(&recordNames_);
}

// The converter's temporary script is placed in the directory the program started in; the
// slot keeps at most its first 4095 characters.
void Workstation::keepStartDirectory() {
    std::error_code failed;
    const std::string cwd = std::filesystem::current_path(failed).string();
    if (!failed) interp.sym.setSlotText(script::SymbolTable::kStartDirectorySlot, cwd);
}

}  // namespace rz::workstation
