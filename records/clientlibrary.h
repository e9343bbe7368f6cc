#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include <mysql.h>

namespace varnok {

// The MySQL C API, loaded from the client library at run time so that a
// machine without it gets a message instead of a program that cannot start.
struct ClientLibrary {
    void *handle = nullptr;
    QString fileName;

    decltype(&::mysql_init) init = nullptr;
    decltype(&::mysql_options) options = nullptr;
    decltype(&::mysql_real_connect) real_connect = nullptr;
    decltype(&::mysql_close) close = nullptr;
    decltype(&::mysql_real_query) real_query = nullptr;
    decltype(&::mysql_store_result) store_result = nullptr;
    decltype(&::mysql_free_result) free_result = nullptr;
    decltype(&::mysql_num_fields) num_fields = nullptr;
    decltype(&::mysql_fetch_fields) fetch_fields = nullptr;
    decltype(&::mysql_fetch_row) fetch_row = nullptr;
    decltype(&::mysql_fetch_lengths) fetch_lengths = nullptr;
    decltype(&::mysql_field_count) field_count = nullptr;
    decltype(&::mysql_errno) error_no = nullptr;
    decltype(&::mysql_error) error = nullptr;
    decltype(&::mysql_real_escape_string) real_escape_string = nullptr;
    decltype(&::mysql_insert_id) insert_id = nullptr;
    decltype(&::mysql_affected_rows) affected_rows = nullptr;
    decltype(&::mysql_more_results) more_results = nullptr;
    decltype(&::mysql_next_result) next_result = nullptr;

    ~ClientLibrary();

    // Loads the first library of `names` that exists and offers the API;
    // throws "Neexistuje dll knihovna(y): %s" naming every file tried.
    static std::shared_ptr<ClientLibrary> load(const QStringList &names);
};

} // namespace varnok
