#include "records/clientlibrary.h"

#include "common/error.h"

#include <dlfcn.h>

namespace varnok {

ClientLibrary::~ClientLibrary() {
    if (handle)
        dlclose(handle);
}

namespace {

template <class T> bool resolve(void *handle, const char *name, T *target) {
    *target = reinterpret_cast<T>(dlsym(handle, name));
    return *target != nullptr;
}

bool resolveAll(ClientLibrary &l) {
    void *h = l.handle;
    return resolve(h, "mysql_init", &l.init) && resolve(h, "mysql_options", &l.options) &&
           resolve(h, "mysql_real_connect", &l.real_connect) &&
           resolve(h, "mysql_close", &l.close) && resolve(h, "mysql_real_query", &l.real_query) &&
           resolve(h, "mysql_store_result", &l.store_result) &&
           resolve(h, "mysql_free_result", &l.free_result) &&
           resolve(h, "mysql_num_fields", &l.num_fields) &&
           resolve(h, "mysql_fetch_fields", &l.fetch_fields) &&
           resolve(h, "mysql_fetch_row", &l.fetch_row) &&
           resolve(h, "mysql_fetch_lengths", &l.fetch_lengths) &&
           resolve(h, "mysql_field_count", &l.field_count) &&
           resolve(h, "mysql_errno", &l.error_no) && resolve(h, "mysql_error", &l.error) &&
           resolve(h, "mysql_real_escape_string", &l.real_escape_string) &&
           resolve(h, "mysql_insert_id", &l.insert_id) &&
           resolve(h, "mysql_affected_rows", &l.affected_rows) &&
           resolve(h, "mysql_more_results", &l.more_results) &&
           resolve(h, "mysql_next_result", &l.next_result);
}

} // namespace

std::shared_ptr<ClientLibrary> ClientLibrary::load(const QStringList &names) {
    for (const QString &name : names) {
        void *h = dlopen(name.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        if (!h)
            continue;
        auto lib = std::make_shared<ClientLibrary>();
        lib->handle = h;
        lib->fileName = name;
        if (resolveAll(*lib))
            return lib;
    }
    throw SqlError(
        QStringLiteral("Neexistuje dll knihovna(y): %1").arg(names.join(QStringLiteral(", "))));
}

} // namespace varnok
