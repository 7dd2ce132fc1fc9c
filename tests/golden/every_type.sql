-- Recovered by Pagewright
SET ANSI_NULLS ON
GO
SET QUOTED_IDENTIFIER ON
GO

CREATE TABLE [dbo].[EveryType] (
    [c_bigint] bigint NULL,
    [c_binary] binary(4) NULL,
    [c_bit] bit NULL,
    [c_char] char(5) NULL,
    [c_datetime] datetime NULL,
    [c_date] date NULL,
    [c_time] time(7) NULL,
    [c_datetime2] datetime2(7) NULL,
    [c_datetimeoffset] datetimeoffset(7) NULL,
    [c_int] int IDENTITY(1,1) NOT NULL,
    [c_nchar] nchar(5) NULL,
    [c_nvarchar] nvarchar(max) NULL,
    [c_smallint] smallint NULL,
    [c_tinyint] tinyint NULL,
    [c_uniqueidentifier] uniqueidentifier NULL,
    [c_varbinary] varbinary(max) NULL,
    [c_varchar] varchar(50) NULL,
    [c_ntext] ntext NULL,
    [c_sql_variant] sql_variant NULL,
    [c_money] money NULL,
    [c_float] float NULL,
    [c_numeric] numeric(9,2) NULL,
    [c_decimal] decimal(38,10) NULL,
    [c_image] image NULL,
    [c_text] text NULL,
    [c_smalldatetime] smalldatetime NULL,
    [c_real] real NULL,
    [c_smallmoney] smallmoney NULL,
    [c_timestamp] timestamp NULL,
    [c_hierarchyid] hierarchyid NULL,
    [c_xml] xml NULL,
    [c_computed] AS ([c_int]*(2)),
    CONSTRAINT [PK_EveryType] PRIMARY KEY CLUSTERED ([c_int] ASC, [c_date] DESC)
)
GO
ALTER TABLE [dbo].[EveryType] ADD CONSTRAINT [DF_EveryType_bit] DEFAULT ((1)) FOR [c_bit]
GO
ALTER TABLE [dbo].[EveryType] WITH NOCHECK ADD CONSTRAINT [CK_EveryType_tinyint] CHECK ([c_tinyint]>(0))
GO
SET IDENTITY_INSERT [dbo].[EveryType] ON
GO
INSERT INTO [dbo].[EveryType] ([c_bigint], [c_binary], [c_bit], [c_char], [c_datetime], [c_date], [c_time], [c_datetime2], [c_datetimeoffset], [c_int], [c_nchar], [c_nvarchar], [c_smallint], [c_tinyint], [c_uniqueidentifier], [c_varbinary], [c_varchar], [c_ntext], [c_sql_variant], [c_money], [c_float], [c_numeric], [c_decimal], [c_image], [c_text], [c_smalldatetime], [c_real], [c_smallmoney], [c_hierarchyid], [c_xml]) VALUES
(-9223372036854775808, 0x00FF10AB, 1, N'ab   ', '1996-07-04T13:45:30.997', '0001-01-01', '23:59:59.9999999', '2024-02-29T12:00:00.0000500', '2020-01-02T03:04:05.1234567-05:30', -2147483648, N'會員  ', N'It''s "quoted"
and long', -32768, 255, '6F9619FF-8B86-D011-B42D-00C04FC964FF', 0x, N'Ünïcödé in 1252', NULL, N'42', -922337203685477.5808, 1.7976931348623157e+308, 0.55, -12345678901234567890.1234567890, 0x89504E47, N'plain text', '2079-06-06T23:59:00', 3.4028235e+38, 214748.3647, 0x58, N'<a b="1">x</a>')
GO
SET IDENTITY_INSERT [dbo].[EveryType] OFF
GO

