// Throughput of the digest and the string ciphers on the sizes the terminal handles.
#include "crypto/MD5.h"
#include "crypto/clsDES.h"
#include "crypto/clsRC4.h"

#include <benchmark/benchmark.h>

using nerin::clsDES;
using nerin::clsRC4;
using nerin::MD5;

namespace {

QByteArray pseudoRandomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 2463534242u;
    for (qsizetype i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = static_cast<char>(state);
    }
    return bytes;
}

QString kibibyteText() {
    return QStringLiteral("Mesa 7: 2 cafés con leche, 1 tostada, 1 zumo de naranja; pagó 8,40 € ")
        .repeated(15)
        .left(1024);
}

void benchMD5Update(benchmark::State& state) {
    const QByteArray data = pseudoRandomBytes(1024 * 1024);
    MD5 md5;
    for (auto _ : state) {
        md5.MD5Init();
        md5.MD5Update(data);
        md5.MD5Final();
        benchmark::DoNotOptimize(md5.RegisterA());
    }
    state.SetBytesProcessed(state.iterations() * data.size());
}
BENCHMARK(benchMD5Update);

void benchMD5DigestStrToHexStr(benchmark::State& state) {
    const QString text = QString::fromLatin1(pseudoRandomBytes(1024 * 1024).toBase64()).left(1024 * 1024);
    MD5 md5;
    for (auto _ : state)
        benchmark::DoNotOptimize(md5.DigestStrToHexStr(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(benchMD5DigestStrToHexStr);

void benchDESEncryptString(benchmark::State& state) {
    const QString text = kibibyteText();
    clsDES des;
    des.Key(QStringLiteral("clave123"));
    for (auto _ : state)
        benchmark::DoNotOptimize(des.EncryptString(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(benchDESEncryptString);

void benchDESDecryptString(benchmark::State& state) {
    const QString text = kibibyteText();
    clsDES des;
    des.Key(QStringLiteral("clave123"));
    const QString cipherText = des.EncryptString(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(des.DecryptString(cipherText));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(benchDESDecryptString);

void benchRC4EncryptString(benchmark::State& state) {
    const QString text = kibibyteText();
    clsRC4 rc4;
    rc4.Key(QStringLiteral("clave123"));
    for (auto _ : state)
        benchmark::DoNotOptimize(rc4.EncryptString(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(benchRC4EncryptString);

} // namespace
