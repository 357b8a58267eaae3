// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documentio.h"
#include "testlayouts.h"

#include <QBuffer>
#include <gtest/gtest.h>

// A document written to bytes in memory; a failed write fails the test.
inline QByteArray writeToBytes(quorvel::Document& doc) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(quorvel::writeDocumentStream(buffer, doc));
    return bytes;
}

// A document read from bytes without layouts; a failed read fails the test.
inline quorvel::Document readFromBytes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    quorvel::Document doc;
    const quorvel::IoResult r =
        quorvel::readDocumentStream(buffer, doc, quorvel::ReadOptions{noLayouts()});
    EXPECT_TRUE(r.ok) << r.detail.toStdString();
    return doc;
}
