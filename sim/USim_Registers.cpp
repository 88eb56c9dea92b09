#include "sim/USim_Registers.h"

#include <QStringList>
#include <algorithm>

TSim_Registers::TSim_Registers() : m_none(modbus_mapping_new(0, 0, 0, 0))
{
}

bool TSim_Registers::Build(const TModbus_Map &map, int offset, QString &error)
{
    m_blocks.clear();
    m_stretches.clear();
    m_status = nullptr;
    for (TRegister_Block block : map.Blocks) {
        const int first = block.Start + offset;
        if (first < 0 || first + block.Count - 1 > 65535) {
            error = QStringLiteral("--offset %1 moves the %2 (%3) outside the addresses 0 to 65535")
                        .arg(offset)
                        .arg(Role_Name(block.Role))
                        .arg(block.Start);
            return false;
        }
        block.Start = static_cast<uint16_t>(first);
        m_blocks.push_back(block);
    }

    std::vector<TRegister_Block> sorted = m_blocks;
    std::sort(sorted.begin(), sorted.end(), [](const TRegister_Block &a, const TRegister_Block &b) {
        return a.Function != b.Function ? a.Function < b.Function : a.Start < b.Start;
    });
    for (const TRegister_Block &block : sorted) {
        const int last = block.Start + block.Count - 1;
        if (!m_stretches.empty() && m_stretches.back().Function == block.Function
            && block.Start <= m_stretches.back().Last + 1)
            m_stretches.back().Last = std::max(m_stretches.back().Last, last);
        else
            m_stretches.push_back({block.Function, block.Start, last, nullptr});
    }
    for (TStretch &stretch : m_stretches) {
        const unsigned start = static_cast<unsigned>(stretch.First);
        const unsigned count = static_cast<unsigned>(stretch.Last - stretch.First + 1);
        const bool input = stretch.Function == Function_Input_Registers;
        stretch.Mapping.reset(modbus_mapping_new_start_address(
            0, 0, 0, 0, input ? 0 : start, input ? 0 : count, input ? start : 0, input ? count : 0));
        if (!stretch.Mapping || !m_none) {
            error = QStringLiteral("no memory for the registers");
            return false;
        }
    }

    for (const TRegister_Block &block : m_blocks) {
        if (block.Role != TRegister_Role::Status_Word)
            continue;
        for (const TStretch &stretch : m_stretches) {
            if (stretch.Function == block.Function && block.Start >= stretch.First
                && block.Start <= stretch.Last) {
                modbus_mapping_t *mapping = stretch.Mapping.get();
                m_status = (block.Function == Function_Input_Registers ? mapping->tab_input_registers
                                                                       : mapping->tab_registers)
                           + (block.Start - stretch.First);
            }
        }
    }
    return true;
}

modbus_mapping_t *TSim_Registers::Mapping_For(int function, int address) const
{
    int table = 0;
    switch (function) {
    case MODBUS_FC_READ_INPUT_REGISTERS:
        table = Function_Input_Registers;
        break;
    case MODBUS_FC_READ_HOLDING_REGISTERS:
    case MODBUS_FC_WRITE_SINGLE_REGISTER:
    case MODBUS_FC_WRITE_MULTIPLE_REGISTERS:
    case MODBUS_FC_MASK_WRITE_REGISTER:
    case MODBUS_FC_WRITE_AND_READ_REGISTERS:
        table = Function_Holding_Registers;
        break;
    default:
        return m_none.get();
    }
    for (const TStretch &stretch : m_stretches) {
        if (stretch.Function == table && address >= stretch.First && address <= stretch.Last)
            return stretch.Mapping.get();
    }
    return m_none.get();
}

void TSim_Registers::Count_Status()
{
    if (m_status)
        *m_status = static_cast<uint16_t>(*m_status + 1);
}

QString TSim_Registers::Described() const
{
    QStringList tables;
    for (const int function : {Function_Input_Registers, Function_Holding_Registers}) {
        QStringList roles;
        for (const TRegister_Block &block : m_blocks) {
            if (block.Function != function)
                continue;
            QString where = QString::number(block.Start);
            if (block.Count > 1)
                where += QLatin1Char('-') + QString::number(block.Start + block.Count - 1);
            roles << Role_Name(block.Role) + QLatin1Char(' ') + where;
        }
        if (!roles.isEmpty())
            tables << QStringLiteral("%1 (%2 registers)")
                          .arg(roles.join(QStringLiteral(", ")),
                               function == Function_Input_Registers ? QStringLiteral("input")
                                                                    : QStringLiteral("holding"));
    }
    return tables.join(QStringLiteral("; "));
}
